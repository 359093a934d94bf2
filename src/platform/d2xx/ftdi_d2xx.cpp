#include "platform/d2xx/ftdi_d2xx.h"

#include <libftdi1/ftdi.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/d2xx/ftdi_divisor.h"

namespace oxi {

struct FtdiD2xx::Port {
  ftdi_context* ctx = nullptr;
  std::vector<std::uint8_t> received;  // taken from the converter, not yet read
  std::uint32_t readTimeoutMs = 0;
  ~Port() {
    if (!ctx) return;
    ftdi_usb_close(ctx);
    ftdi_free(ctx);
  }
};

namespace {

// libftdi hands over at most this much per read call.
constexpr int kTransferChunk = 4096;

// The converters present, with their serial numbers, found through one libftdi context
// (the devices are valid only as long as it lives).
class Listing {
 public:
  Listing() : ctx_(ftdi_new()) {
    if (ctx_ && ftdi_usb_find_all(ctx_, &list_, 0, 0) >= 0) ok_ = true;
  }
  ~Listing() {
    if (list_) ftdi_list_free(&list_);
    if (ctx_) ftdi_free(ctx_);
  }
  Listing(const Listing&) = delete;
  Listing& operator=(const Listing&) = delete;

  bool Ok() const { return ok_; }
  ftdi_context* Context() { return ctx_; }
  // Devices in the order libusb found them; an empty serial when it cannot be read.
  std::vector<std::pair<libusb_device*, std::string>> Devices() {
    std::vector<std::pair<libusb_device*, std::string>> devices;
    for (ftdi_device_list* d = list_; d; d = d->next) {
      char serial[kSerialNumberBufferSize] = {};
      if (ftdi_usb_get_strings(ctx_, d->dev, nullptr, 0, nullptr, 0, serial, sizeof serial) < 0) {
        serial[0] = '\0';
      }
      devices.emplace_back(d->dev, serial);
    }
    return devices;
  }
  // Hands the context (with the device opened on it) to the caller.
  ftdi_context* Release() {
    ftdi_context* ctx = ctx_;
    if (list_) ftdi_list_free(&list_);
    ctx_ = nullptr;
    return ctx;
  }

 private:
  ftdi_context* ctx_ = nullptr;
  ftdi_device_list* list_ = nullptr;
  bool ok_ = false;
};

FT_STATUS Status(int libftdiResult) {
  return libftdiResult < 0 ? FT_IO_ERROR : FT_OK;
}

ftdi_bits_type BitsOf(UCHAR bits) {
  return bits == FT_BITS_8 ? BITS_8 : BITS_7;
}
ftdi_stopbits_type StopBitsOf(UCHAR stopBits) {
  return stopBits == FT_STOP_BITS_1 ? STOP_BIT_1 : STOP_BIT_2;
}
// The driver's parity codes 0..4 (none, odd, even, mark, space) are libftdi's too.
ftdi_parity_type ParityOf(UCHAR parity) {
  return static_cast<ftdi_parity_type>(parity);
}

}  // namespace

FtdiD2xx::FtdiD2xx(Clock& clock) : clock_(clock) {}

FtdiD2xx::~FtdiD2xx() = default;

FtdiD2xx::Port* FtdiD2xx::Find(FT_HANDLE handle) {
  for (auto& port : ports_) {
    if (port.get() == handle) return port.get();
  }
  return nullptr;
}

FT_STATUS FtdiD2xx::FT_ListDevices(void* arg1, void* arg2, DWORD flags) {
  Listing listing;
  if (!listing.Ok()) return FT_OTHER_ERROR;
  const auto devices = listing.Devices();
  if (flags == FT_LIST_NUMBER_ONLY) {
    *static_cast<DWORD*>(arg1) = static_cast<DWORD>(devices.size());
    return FT_OK;
  }
  if (flags != (FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER)) return FT_INVALID_PARAMETER;
  const auto index = reinterpret_cast<std::uintptr_t>(arg1);
  if (index >= devices.size() || devices[index].second.empty()) return FT_DEVICE_NOT_FOUND;
  char* out = static_cast<char*>(arg2);
  std::strncpy(out, devices[index].second.c_str(), kSerialNumberBufferSize - 1);
  out[kSerialNumberBufferSize - 1] = '\0';
  return FT_OK;
}

FT_STATUS FtdiD2xx::FT_OpenEx(const char* serial, DWORD flags, FT_HANDLE* handle) {
  if (flags != FT_OPEN_BY_SERIAL_NUMBER) return FT_INVALID_PARAMETER;
  Listing listing;
  if (!listing.Ok()) return FT_OTHER_ERROR;
  for (const auto& [device, deviceSerial] : listing.Devices()) {
    if (deviceSerial != serial) continue;
    if (ftdi_usb_open_dev(listing.Context(), device) < 0) return FT_DEVICE_NOT_OPENED;
    auto port = std::make_unique<Port>();
    port->ctx = listing.Release();
    *handle = port.get();
    ports_.push_back(std::move(port));
    return FT_OK;
  }
  return FT_DEVICE_NOT_FOUND;
}

FT_STATUS FtdiD2xx::FT_ResetDevice(FT_HANDLE handle) {
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  port->received.clear();
  return Status(ftdi_usb_reset(port->ctx));
}

FT_STATUS FtdiD2xx::FT_SetDivisor(FT_HANDLE handle, USHORT divisor) {
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  // libftdi picks the divisor itself from a bit rate; this rate makes it pick ours.
  return Status(ftdi_set_baudrate(port->ctx, FtdiBaudRateFor(divisor)));
}

FT_STATUS FtdiD2xx::FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR bits, UCHAR stopBits,
                                              UCHAR parity) {
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  return Status(
      ftdi_set_line_property(port->ctx, BitsOf(bits), StopBitsOf(stopBits), ParityOf(parity)));
}

FT_STATUS FtdiD2xx::FT_SetFlowControl(FT_HANDLE handle, USHORT flow, UCHAR, UCHAR) {
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  return Status(ftdi_setflowctrl(port->ctx,
                                 flow == FT_FLOW_RTS_CTS ? SIO_RTS_CTS_HS : SIO_DISABLE_FLOW_CTRL));
}

FT_STATUS FtdiD2xx::FT_Purge(FT_HANDLE handle, ULONG mask) {
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  const bool rx = mask & FT_PURGE_RX;
  const bool tx = mask & FT_PURGE_TX;
  if (rx) port->received.clear();
  if (rx && tx) return Status(ftdi_tcioflush(port->ctx));
  if (rx) return Status(ftdi_tciflush(port->ctx));
  if (tx) return Status(ftdi_tcoflush(port->ctx));
  return FT_OK;
}

FT_STATUS FtdiD2xx::FT_SetTimeouts(FT_HANDLE handle, ULONG readMs, ULONG writeMs) {
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  port->readTimeoutMs = readMs;
  port->ctx->usb_read_timeout = static_cast<int>(readMs);
  port->ctx->usb_write_timeout = static_cast<int>(writeMs);
  return FT_OK;
}

FT_STATUS FtdiD2xx::FT_SetRts(FT_HANDLE handle) {
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  return Status(ftdi_setrts(port->ctx, 1));
}

FT_STATUS FtdiD2xx::FT_Write(FT_HANDLE handle, const void* data, DWORD size, DWORD* written) {
  *written = 0;
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  const int n =
      ftdi_write_data(port->ctx, static_cast<const unsigned char*>(data), static_cast<int>(size));
  if (n < 0) return FT_IO_ERROR;
  *written = static_cast<DWORD>(n);
  return FT_OK;
}

// One libftdi read: it returns what the converter sent in its next USB packets, or nothing
// once a packet came without data (the converter sends one at least every latency period),
// so the call itself waits rather than spinning.
static FT_STATUS Receive(FtdiD2xx::Port& port) {
  unsigned char chunk[kTransferChunk];
  const int n = ftdi_read_data(port.ctx, chunk, sizeof chunk);
  if (n < 0) return FT_IO_ERROR;
  port.received.insert(port.received.end(), chunk, chunk + n);
  return FT_OK;
}

FT_STATUS FtdiD2xx::FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) {
  *rxBytes = 0;
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  const FT_STATUS status = Receive(*port);
  *rxBytes = static_cast<DWORD>(port->received.size());
  return status;
}

FT_STATUS FtdiD2xx::FT_Read(FT_HANDLE handle, void* buffer, DWORD size, DWORD* returned) {
  *returned = 0;
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  const std::int64_t deadline = clock_.NowMs() + port->readTimeoutMs;
  while (port->received.empty()) {
    if (const FT_STATUS status = Receive(*port); status != FT_OK) return status;
    if (!port->received.empty() || clock_.NowMs() >= deadline) break;
  }
  const std::size_t n = std::min<std::size_t>(size, port->received.size());
  std::copy_n(port->received.begin(), n, static_cast<std::uint8_t*>(buffer));
  port->received.erase(port->received.begin(), port->received.begin() + n);
  *returned = static_cast<DWORD>(n);
  return FT_OK;
}

FT_STATUS FtdiD2xx::FT_Close(FT_HANDLE handle) {
  auto it = std::find_if(ports_.begin(), ports_.end(),
                         [handle](const auto& port) { return port.get() == handle; });
  if (it == ports_.end()) return FT_INVALID_HANDLE;
  ports_.erase(it);
  return FT_OK;
}

}  // namespace oxi
