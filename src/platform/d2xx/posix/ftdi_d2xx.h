#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/d2xx/d2xx.h"
#include "platform/ui/clock.h"
#include "platform/ui/diagnostics.h"

namespace oxi {

class FtdiListing;
struct FtdiConverter;

// Real converters through libftdi1 (and libusb below it), listed and named as the
// vendor's driver does: every device of FTDI's vendor ID, each channel of a dual or quad
// chip a converter of its own. libftdi has no call that tells how many received bytes
// wait, so each open converter keeps a receive buffer of its own, filled one USB packet at
// a time: FT_GetQueueStatus looks at the converter once (it answers within its latency
// timer, which a reset sets short), FT_Read waits packet by packet up to the read
// time-out. What libftdi and libusb say about a failure goes to the diagnostics.
class FtdiD2xx : public D2xx {
 public:
  // The latency timer a reset sets, in ms: how long the converter holds back the last
  // bytes of a reply before it sends them in a short packet.
  static constexpr unsigned char kLatencyTimerMs = 4;

  FtdiD2xx(Clock& clock, Diagnostics& diagnostics);
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
  bool AccessDenied() const override { return accessDenied_; }

  struct Port;

 private:
  Port* Find(FT_HANDLE handle);
  FT_STATUS Open(FtdiListing& listing, const FtdiConverter& converter, FT_HANDLE* handle);

  Clock& clock_;
  Diagnostics& diagnostics_;
  std::vector<std::unique_ptr<Port>> ports_;
  bool accessDenied_ = false;
};

}  // namespace oxi
