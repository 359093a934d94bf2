#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/d2xx/d2xx.h"
#include "platform/ui/clock.h"

namespace oxi {

// Real converters through libftdi1. libftdi has no call that tells how many received
// bytes wait, so each open converter keeps a receive buffer of its own: FT_GetQueueStatus
// moves what the converter holds into it, FT_Read hands it over.
class FtdiD2xx : public D2xx {
 public:
  explicit FtdiD2xx(Clock& clock);
  ~FtdiD2xx() override;

  FT_STATUS FT_ListDevices(void* arg1, void* arg2, DWORD flags) override;
  FT_STATUS FT_OpenEx(const char* serial, DWORD flags, FT_HANDLE* handle) override;
  FT_STATUS FT_ResetDevice(FT_HANDLE handle) override;
  FT_STATUS FT_SetDivisor(FT_HANDLE handle, USHORT divisor) override;
  FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR bits, UCHAR stopBits,
                                      UCHAR parity) override;
  FT_STATUS FT_SetFlowControl(FT_HANDLE handle, USHORT flow, UCHAR xon, UCHAR xoff) override;
  FT_STATUS FT_Purge(FT_HANDLE handle, ULONG mask) override;
  FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readMs, ULONG writeMs) override;
  FT_STATUS FT_SetRts(FT_HANDLE handle) override;
  FT_STATUS FT_Write(FT_HANDLE handle, const void* data, DWORD size, DWORD* written) override;
  FT_STATUS FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) override;
  FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD size, DWORD* returned) override;
  FT_STATUS FT_Close(FT_HANDLE handle) override;

  struct Port;

 private:
  Port* Find(FT_HANDLE handle);

  Clock& clock_;
  std::vector<std::unique_ptr<Port>> ports_;
};

}  // namespace oxi
