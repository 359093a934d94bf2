#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace oxi::usb {

// The setup packet of a control transfer.
struct UsbSetup {
  std::uint8_t requestType = 0;
  std::uint8_t request = 0;
  std::uint16_t value = 0;
  std::uint16_t index = 0;
  std::uint16_t length = 0;
  bool In() const { return requestType & 0x80; }
};

// A USB device as the host controller sees it: what it answers on its control endpoint,
// what it takes on its bulk OUT endpoints and what it sends on its bulk IN endpoints.
// Calls come from the test bed's worker thread; an implementation guards its state.
class UsbDevice {
 public:
  virtual ~UsbDevice() = default;

  // The device and configuration descriptors, as sysfs shows them in "descriptors".
  virtual std::vector<std::uint8_t> Descriptors() const = 0;
  virtual int Interfaces() const = 0;
  // The kernel driver bound to each interface while the device is plugged in.
  virtual std::string KernelDriver() const = 0;

  // A control transfer: for IN, `data` gets the answer (at most setup.length bytes); for
  // OUT it holds what the host sent. False stalls the transfer.
  virtual bool Control(const UsbSetup& setup, std::vector<std::uint8_t>& data) = 0;
  virtual void BulkOut(std::uint8_t endpoint, const std::uint8_t* bytes, std::size_t size) = 0;
  // Answers the host's IN tokens on `endpoint` now: appends the packets the device sends
  // to `filled`, which never grows beyond `capacity`. True when the transfer is done (a
  // short packet came or the buffer is full); false while the device answers NAK.
  virtual bool BulkIn(std::uint8_t endpoint, std::size_t capacity,
                      std::vector<std::uint8_t>& filled) = 0;
  // True once the device has been pulled out.
  virtual bool Gone() = 0;
};

}  // namespace oxi::usb
