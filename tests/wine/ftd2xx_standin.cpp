// A stand-in for the converter vendor's driver DLL, so that the program's own way of
// loading the driver runs in the tests: built as ftd2xx.dll, it answers the D2XX calls
// with the simulated monitors whose memory images OXI_STANDIN_MONITOR lists (separated
// by ';'), on the real clock, at the converter's line speed.
#include <memory>

#include "platform/d2xx/d2xx_factory.h"
#include "platform/ui/process.h"

namespace {

constexpr const char* kImagesVariable = "OXI_STANDIN_MONITOR";

oxi::D2xx& Converters() {
  static oxi::SystemClock clock;
  static const std::unique_ptr<oxi::D2xx> d2xx = oxi::MakeSimulatedD2xx(
      clock, oxi::SplitImageList(oxi::EnvironmentVariable(kImagesVariable).value_or("")));
  return *d2xx;
}

}  // namespace

using oxi::DWORD;
using oxi::FT_HANDLE;
using oxi::FT_STATUS;
using oxi::UCHAR;
using oxi::ULONG;
using oxi::USHORT;

extern "C" {

FT_STATUS FT_ListDevices(void* arg1, void* arg2, DWORD flags) {
  return Converters().FT_ListDevices(arg1, arg2, flags);
}
FT_STATUS FT_OpenEx(void* serial, DWORD flags, FT_HANDLE* handle) {
  return Converters().FT_OpenEx(static_cast<const char*>(serial), flags, handle);
}
FT_STATUS FT_ResetDevice(FT_HANDLE handle) {
  return Converters().FT_ResetDevice(handle);
}
FT_STATUS FT_SetDivisor(FT_HANDLE handle, USHORT divisor) {
  return Converters().FT_SetDivisor(handle, divisor);
}
FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR bits, UCHAR stopBits, UCHAR parity) {
  return Converters().FT_SetDataCharacteristics(handle, bits, stopBits, parity);
}
FT_STATUS FT_SetFlowControl(FT_HANDLE handle, USHORT flow, UCHAR xon, UCHAR xoff) {
  return Converters().FT_SetFlowControl(handle, flow, xon, xoff);
}
FT_STATUS FT_Purge(FT_HANDLE handle, ULONG mask) {
  return Converters().FT_Purge(handle, mask);
}
FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readMs, ULONG writeMs) {
  return Converters().FT_SetTimeouts(handle, readMs, writeMs);
}
FT_STATUS FT_SetRts(FT_HANDLE handle) {
  return Converters().FT_SetRts(handle);
}
FT_STATUS FT_Write(FT_HANDLE handle, void* data, DWORD size, DWORD* written) {
  return Converters().FT_Write(handle, data, size, written);
}
FT_STATUS FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) {
  return Converters().FT_GetQueueStatus(handle, rxBytes);
}
FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD size, DWORD* returned) {
  return Converters().FT_Read(handle, buffer, size, returned);
}
FT_STATUS FT_Close(FT_HANDLE handle) {
  return Converters().FT_Close(handle);
}

}  // extern "C"
