#include "platform/d2xx/simulated_d2xx.h"

#include <cstdint>
#include <cstring>

#include "platform/d2xx/simulated_port.h"

namespace oxi {
namespace {

constexpr std::int64_t kMicrosPerMs = 1000;
// A read without a time-out waits until bytes come; when none ever will, it gives up
// after this long so that a test on a virtual clock still ends.
constexpr std::int64_t kEndlessReadUs = 24LL * 3600 * 1000 * kMicrosPerMs;

}  // namespace

SimulatedD2xx::SimulatedD2xx(Clock& clock) : clock_(clock) {}

SimulatedD2xx::~SimulatedD2xx() = default;

SimulatedConverter& SimulatedD2xx::AddConverter(std::string serial,
                                                std::unique_ptr<SimulatedMonitor> monitor) {
  SimulatedConverter converter;
  converter.serial = std::move(serial);
  converter.monitor = std::move(monitor);
  ports_.push_back(std::make_unique<Port>(std::move(converter)));
  return ports_.back()->Converter();
}

SimulatedConverter& SimulatedD2xx::Converter(int index) {
  return ports_[index]->Converter();
}

std::vector<SimulatedD2xx::Port*> SimulatedD2xx::Present() {
  const std::int64_t nowUs = clock_.NowMs() * kMicrosPerMs;
  std::vector<Port*> present;
  for (auto& port : ports_) {
    if (!port->Unplugged(nowUs)) present.push_back(port.get());
  }
  return present;
}

SimulatedD2xx::Port* SimulatedD2xx::Usable(FT_HANDLE handle) {
  for (auto& port : ports_) {
    if (port.get() == handle && port->open) return port.get();
  }
  return nullptr;
}

FT_STATUS SimulatedD2xx::FT_ListDevices(void* arg1, void* arg2, DWORD flags) {
  const std::vector<Port*> present = Present();
  accessDenied_ = false;
  if (flags == FT_LIST_NUMBER_ONLY) {
    *static_cast<DWORD*>(arg1) = static_cast<DWORD>(present.size());
    return FT_OK;
  }
  if (flags != (FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER)) return FT_INVALID_PARAMETER;
  const auto index = reinterpret_cast<std::uintptr_t>(arg1);
  if (index >= present.size()) return FT_DEVICE_NOT_FOUND;
  if (present[index]->Converter().accessDenied) {
    accessDenied_ = true;
    return FT_OTHER_ERROR;
  }
  const std::string& serial = present[index]->Converter().serial;
  char* out = static_cast<char*>(arg2);
  std::strncpy(out, serial.c_str(), kSerialNumberBufferSize - 1);
  out[kSerialNumberBufferSize - 1] = '\0';
  return FT_OK;
}

FT_STATUS SimulatedD2xx::FT_OpenEx(const char* serial, DWORD flags, FT_HANDLE* handle) {
  if (flags != FT_OPEN_BY_SERIAL_NUMBER) return FT_INVALID_PARAMETER;
  for (Port* port : Present()) {
    if (port->Converter().serial != serial) continue;
    if (port->open || port->Converter().openFails) return FT_DEVICE_NOT_OPENED;
    port->open = true;
    // A monitor plugged in again may hold another memory: its file is read afresh.
    if (port->Converter().monitor) port->Converter().monitor->Reload();
    port->Reset();
    port->Line().PurgeArrived(INT64_MAX);
    *handle = port;
    return FT_OK;
  }
  return FT_DEVICE_NOT_FOUND;
}

FT_STATUS SimulatedD2xx::Check(FT_HANDLE handle, Port*& port) {
  port = Usable(handle);
  if (!port) return FT_INVALID_HANDLE;
  return port->Unplugged(clock_.NowMs() * kMicrosPerMs) ? FT_IO_ERROR : FT_OK;
}

FT_STATUS SimulatedD2xx::FT_ResetDevice(FT_HANDLE handle) {
  Port* port = nullptr;
  if (const FT_STATUS status = Check(handle, port); status != FT_OK) return status;
  port->Reset();
  return FT_OK;
}

FT_STATUS SimulatedD2xx::FT_SetDivisor(FT_HANDLE handle, USHORT divisor) {
  Port* port = nullptr;
  if (const FT_STATUS status = Check(handle, port); status != FT_OK) return status;
  port->SetDivisor(divisor);
  return FT_OK;
}

FT_STATUS SimulatedD2xx::FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR bits, UCHAR stopBits,
                                                   UCHAR parity) {
  Port* port = nullptr;
  if (const FT_STATUS status = Check(handle, port); status != FT_OK) return status;
  port->SetDataCharacteristics(bits, stopBits, parity);
  return FT_OK;
}

FT_STATUS SimulatedD2xx::FT_SetFlowControl(FT_HANDLE handle, USHORT flow, UCHAR, UCHAR) {
  Port* port = nullptr;
  if (const FT_STATUS status = Check(handle, port); status != FT_OK) return status;
  port->SetFlowControl(flow);
  return FT_OK;
}

FT_STATUS SimulatedD2xx::FT_Purge(FT_HANDLE handle, ULONG mask) {
  Port* port = nullptr;
  if (const FT_STATUS status = Check(handle, port); status != FT_OK) return status;
  if (mask & FT_PURGE_RX) port->Line().PurgeArrived(clock_.NowMs() * kMicrosPerMs);
  return FT_OK;
}

FT_STATUS SimulatedD2xx::FT_SetTimeouts(FT_HANDLE handle, ULONG readMs, ULONG) {
  Port* port = nullptr;
  if (const FT_STATUS status = Check(handle, port); status != FT_OK) return status;
  port->SetReadTimeoutMs(readMs);
  return FT_OK;
}

FT_STATUS SimulatedD2xx::FT_SetRts(FT_HANDLE handle) {
  Port* port = nullptr;
  if (const FT_STATUS status = Check(handle, port); status != FT_OK) return status;
  port->SetRts();
  return FT_OK;
}

FT_STATUS SimulatedD2xx::FT_Write(FT_HANDLE handle, const void* data, DWORD size, DWORD* written) {
  *written = 0;
  Port* port = nullptr;
  if (const FT_STATUS status = Check(handle, port); status != FT_OK) return status;
  port->Write(static_cast<const std::uint8_t*>(data), size, clock_.NowMs() * kMicrosPerMs);
  *written = size;
  return FT_OK;
}

FT_STATUS SimulatedD2xx::FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) {
  *rxBytes = 0;
  Port* port = nullptr;
  if (const FT_STATUS status = Check(handle, port); status != FT_OK) return status;
  *rxBytes = static_cast<DWORD>(port->Line().Delivered(clock_.NowMs() * kMicrosPerMs));
  return FT_OK;
}

FT_STATUS SimulatedD2xx::FT_Read(FT_HANDLE handle, void* buffer, DWORD size, DWORD* returned) {
  *returned = 0;
  Port* port = nullptr;
  if (const FT_STATUS status = Check(handle, port); status != FT_OK) return status;
  ++reads;
  std::int64_t nowUs = clock_.NowMs() * kMicrosPerMs;
  if (port->Line().Delivered(nowUs) == 0) {
    const std::int64_t timeoutUs =
        port->ReadTimeoutMs() ? port->ReadTimeoutMs() * kMicrosPerMs : kEndlessReadUs;
    std::int64_t wakeUs = nowUs + timeoutUs;
    const auto next = port->Line().NextDeliveryUs();
    if (next && *next < wakeUs) wakeUs = *next;
    if (port->UnplugAtUs() && *port->UnplugAtUs() < wakeUs) wakeUs = *port->UnplugAtUs();
    clock_.SleepMs((wakeUs - nowUs + kMicrosPerMs - 1) / kMicrosPerMs);
    nowUs = clock_.NowMs() * kMicrosPerMs;
    if (port->Unplugged(nowUs)) return FT_IO_ERROR;
  }
  *returned = static_cast<DWORD>(
      port->Line().Take(static_cast<std::uint8_t*>(buffer), static_cast<int>(size), nowUs));
  if (*returned > 0) ++readsWithBytes;
  return FT_OK;
}

FT_STATUS SimulatedD2xx::FT_Close(FT_HANDLE handle) {
  Port* port = Usable(handle);
  if (!port) return FT_INVALID_HANDLE;
  port->open = false;
  return port->Unplugged(clock_.NowMs() * kMicrosPerMs) ? FT_IO_ERROR : FT_OK;
}

}  // namespace oxi
