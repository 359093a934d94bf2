#include "platform/d2xx/posix/ftdi_d2xx.h"

#include <libftdi1/ftdi.h>
#include <libusb.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/d2xx/ftdi_divisor.h"
#include "platform/d2xx/posix/ftdi_listing.h"
#include "platform/text/text_format.h"

namespace oxi {

struct FtdiD2xx::Port {
  explicit Port(Diagnostics& d) : diagnostics(d) {}
  Diagnostics& diagnostics;
  ftdi_context* ctx = nullptr;
  std::string name;                    // for messages
  std::vector<std::uint8_t> received;  // taken from the converter, not yet read
  std::uint32_t readTimeoutMs = 0;
  ~Port() {
    if (!ctx) return;
    ftdi_usb_close(ctx);
    ftdi_free(ctx);
  }
};

namespace {

// Every USB packet from the converter begins with two modem status bytes.
constexpr int kModemStatusBytes = 2;
// The largest packet: a high-speed chip's bulk endpoint.
constexpr int kMaxPacketSize = 512;
// How long a look at the receive queue waits for the converter's next packet. It sends
// one at least every latency period; this only bounds a converter that stopped answering.
constexpr int kQueueLookLimitMs = 20;
// libftdi's result when the kernel refused to detach its driver for lack of permission.
constexpr int kOpenPermissionDenied = -8;

// libftdi says only that libusb_open failed; libusb itself tells whether the system
// refused access (no udev rule for the converter).
bool AccessRefused(libusb_device* device) {
  libusb_device_handle* handle = nullptr;
  const int error = libusb_open(device, &handle);
  if (error == LIBUSB_SUCCESS) libusb_close(handle);
  return error == LIBUSB_ERROR_ACCESS;
}

void LogFailure(Diagnostics& diagnostics, const char* call, ftdi_context* ctx,
                const std::string& name) {
  diagnostics.Log(
      FormatText("libftdi: %s on %s: %s\n", call, name.c_str(), ftdi_get_error_string(ctx)));
}

// The configuration calls' results: a failure is told to the diagnostics and reported as an
// I/O error.
FT_STATUS Status(int libftdiResult, const char* call, const FtdiD2xx::Port& port) {
  if (libftdiResult >= 0) return FT_OK;
  LogFailure(port.diagnostics, call, port.ctx, port.name);
  return FT_IO_ERROR;
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

void CopySerial(const std::string& serial, void* out) {
  char* text = static_cast<char*>(out);
  std::strncpy(text, serial.c_str(), kSerialNumberBufferSize - 1);
  text[kSerialNumberBufferSize - 1] = '\0';
}

// One USB packet from the converter, waiting at most `timeoutMs` for it; its data (what
// follows the modem status) goes to the port's receive buffer. A converter that sends
// nothing in that time has nothing to say; only a failure of the transfer is an error.
// libftdi reads a whole buffer's worth while data flows, so the packet is read here.
FT_STATUS ReceivePacket(FtdiD2xx::Port& port, std::int64_t timeoutMs) {
  std::uint8_t packet[kMaxPacketSize];
  const int size = std::min<int>(static_cast<int>(port.ctx->max_packet_size), kMaxPacketSize);
  int got = 0;
  // libftdi names the endpoint it reads from out_ep: out of the chip.
  const int result =
      libusb_bulk_transfer(port.ctx->usb_dev, static_cast<unsigned char>(port.ctx->out_ep), packet,
                           size, &got, static_cast<unsigned>(std::max<std::int64_t>(timeoutMs, 1)));
  if (got > kModemStatusBytes) {
    port.received.insert(port.received.end(), packet + kModemStatusBytes, packet + got);
  }
  if (result == LIBUSB_SUCCESS || result == LIBUSB_ERROR_TIMEOUT) return FT_OK;
  port.diagnostics.Log(
      FormatText("libusb: reading from %s: %s\n", port.name.c_str(), libusb_strerror(result)));
  return FT_IO_ERROR;
}

}  // namespace

FtdiD2xx::FtdiD2xx(Clock& clock, Diagnostics& diagnostics)
    : clock_(clock), diagnostics_(diagnostics) {}

FtdiD2xx::~FtdiD2xx() = default;

FtdiD2xx::Port* FtdiD2xx::Find(FT_HANDLE handle) {
  for (auto& port : ports_) {
    if (port.get() == handle) return port.get();
  }
  return nullptr;
}

FT_STATUS FtdiD2xx::FT_ListDevices(void* arg1, void* arg2, DWORD flags) {
  accessDenied_ = false;
  FtdiListing listing(diagnostics_);
  if (!listing.Ok()) return FT_OTHER_ERROR;
  const auto& converters = listing.Converters();
  if (flags == FT_LIST_NUMBER_ONLY) {
    *static_cast<DWORD*>(arg1) = static_cast<DWORD>(converters.size());
    return FT_OK;
  }
  if (flags != (FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER)) return FT_INVALID_PARAMETER;
  const auto index = reinterpret_cast<std::uintptr_t>(arg1);
  if (index >= converters.size()) return FT_DEVICE_NOT_FOUND;
  int error = 0;
  const std::string serial = listing.Serial(converters[index], error);
  if (error != LIBUSB_SUCCESS) {
    accessDenied_ = error == LIBUSB_ERROR_ACCESS;
    return FT_OTHER_ERROR;
  }
  CopySerial(serial, arg2);
  return FT_OK;
}

FT_STATUS FtdiD2xx::FT_OpenEx(const char* serial, DWORD flags, FT_HANDLE* handle) {
  accessDenied_ = false;
  if (flags != FT_OPEN_BY_SERIAL_NUMBER) return FT_INVALID_PARAMETER;
  FtdiListing listing(diagnostics_);
  if (!listing.Ok()) return FT_OTHER_ERROR;
  bool denied = false;
  for (const FtdiConverter& converter : listing.Converters()) {
    int error = 0;
    if (listing.Serial(converter, error) == serial) return Open(listing, converter, handle);
    denied = denied || error == LIBUSB_ERROR_ACCESS;
  }
  // The converter may be one of those the system did not let us look at.
  accessDenied_ = denied;
  return FT_DEVICE_NOT_FOUND;
}

FT_STATUS FtdiD2xx::Open(FtdiListing& listing, const FtdiConverter& converter, FT_HANDLE* handle) {
  ftdi_context* ctx = listing.Context();
  const std::string name =
      DeviceName(converter.device) + " channel " + static_cast<char>('A' + converter.channel);
  // libftdi takes the interface from the kernel's serial driver; at close the driver must
  // get it back, or the converter's ttyUSB port stays away until it is plugged in again.
  ctx->module_detach_mode = AUTO_DETACH_REATACH_SIO_MODULE;
  int result =
      ftdi_set_interface(ctx, static_cast<ftdi_interface>(INTERFACE_A + converter.channel));
  if (result >= 0) result = ftdi_usb_open_dev(ctx, converter.device);
  if (result < 0) {
    LogFailure(diagnostics_, "open", ctx, name);
    accessDenied_ = result == kOpenPermissionDenied || AccessRefused(converter.device);
    return FT_DEVICE_NOT_OPENED;
  }
  auto port = std::make_unique<Port>(diagnostics_);
  port->ctx = listing.Release();
  port->name = name;
  *handle = port.get();
  ports_.push_back(std::move(port));
  return FT_OK;
}

FT_STATUS FtdiD2xx::FT_ResetDevice(FT_HANDLE handle) {
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  port->received.clear();
  const FT_STATUS reset = Status(ftdi_usb_reset(port->ctx), "reset", *port);
  // The chip keeps its latency timer until it loses power, so without this the pace of a
  // download would be whatever the program that used it last had set.
  const FT_STATUS latency =
      Status(ftdi_set_latency_timer(port->ctx, kLatencyTimerMs), "set latency timer", *port);
  return reset != FT_OK ? reset : latency;
}

FT_STATUS FtdiD2xx::FT_SetDivisor(FT_HANDLE handle, USHORT divisor) {
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  // libftdi picks the divisor itself from a bit rate; this rate makes it pick ours.
  return Status(ftdi_set_baudrate(port->ctx, FtdiBaudRateFor(divisor)), "set baud rate", *port);
}

FT_STATUS FtdiD2xx::FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR bits, UCHAR stopBits,
                                              UCHAR parity) {
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  return Status(
      ftdi_set_line_property(port->ctx, BitsOf(bits), StopBitsOf(stopBits), ParityOf(parity)),
      "set line property", *port);
}

FT_STATUS FtdiD2xx::FT_SetFlowControl(FT_HANDLE handle, USHORT flow, UCHAR, UCHAR) {
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  return Status(
      ftdi_setflowctrl(port->ctx, flow == FT_FLOW_RTS_CTS ? SIO_RTS_CTS_HS : SIO_DISABLE_FLOW_CTRL),
      "set flow control", *port);
}

FT_STATUS FtdiD2xx::FT_Purge(FT_HANDLE handle, ULONG mask) {
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  const bool rx = mask & FT_PURGE_RX;
  const bool tx = mask & FT_PURGE_TX;
  if (rx) port->received.clear();
  if (rx && tx) return Status(ftdi_tcioflush(port->ctx), "purge", *port);
  if (rx) return Status(ftdi_tciflush(port->ctx), "purge", *port);
  if (tx) return Status(ftdi_tcoflush(port->ctx), "purge", *port);
  return FT_OK;
}

FT_STATUS FtdiD2xx::FT_SetTimeouts(FT_HANDLE handle, ULONG readMs, ULONG writeMs) {
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  port->readTimeoutMs = readMs;
  port->ctx->usb_write_timeout = static_cast<int>(writeMs);
  return FT_OK;
}

FT_STATUS FtdiD2xx::FT_SetRts(FT_HANDLE handle) {
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  return Status(ftdi_setrts(port->ctx, 1), "set RTS", *port);
}

FT_STATUS FtdiD2xx::FT_Write(FT_HANDLE handle, const void* data, DWORD size, DWORD* written) {
  *written = 0;
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  const int n =
      ftdi_write_data(port->ctx, static_cast<const unsigned char*>(data), static_cast<int>(size));
  if (n < 0) return Status(n, "write", *port);
  *written = static_cast<DWORD>(n);
  return FT_OK;
}

FT_STATUS FtdiD2xx::FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) {
  *rxBytes = 0;
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  FT_STATUS status = FT_OK;
  if (port->received.empty()) status = ReceivePacket(*port, kQueueLookLimitMs);
  *rxBytes = static_cast<DWORD>(port->received.size());
  return status;
}

FT_STATUS FtdiD2xx::FT_Read(FT_HANDLE handle, void* buffer, DWORD size, DWORD* returned) {
  *returned = 0;
  Port* port = Find(handle);
  if (!port) return FT_INVALID_HANDLE;
  const std::int64_t deadline = clock_.NowMs() + port->readTimeoutMs;
  // Each packet comes within the latency period, so this waits in the USB transfers.
  do {
    if (!port->received.empty()) break;
    if (const FT_STATUS status = ReceivePacket(*port, deadline - clock_.NowMs()); status != FT_OK) {
      return status;
    }
  } while (port->received.empty() && clock_.NowMs() < deadline);
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
