#pragma once
#include <libftdi1/ftdi.h>
#include <libusb.h>

#include <map>
#include <string>
#include <vector>

#include "platform/ui/diagnostics.h"

namespace oxi {

// FTDI's USB vendor ID. Makers of instruments program product IDs of their own into the
// chips, so the vendor ID alone says that a device is an FTDI converter.
inline constexpr int kFtdiVendorId = 0x0403;

// One converter as the vendor's driver lists it: a device, or one channel of a dual or
// quad chip, which serve as converters of their own.
struct FtdiConverter {
  libusb_device* device;  // valid while the listing lives
  int channel;            // 0 for channel A
  int channels;           // of the device
};

// The FTDI converters on USB, in the order libusb finds the devices, found through one
// libftdi context (the devices are valid only as long as it lives). Listing needs no
// access to the devices, nor does a serial number where sysfs shows it (elsewhere reading
// it opens the device).
class FtdiListing {
 public:
  // Why the listing failed goes to `diagnostics`, which must outlive it.
  explicit FtdiListing(Diagnostics& diagnostics);
  ~FtdiListing();
  FtdiListing(const FtdiListing&) = delete;
  FtdiListing& operator=(const FtdiListing&) = delete;

  bool Ok() const { return ok_; }
  const std::vector<FtdiConverter>& Converters() const { return converters_; }
  // The device's serial number, and on a chip of several channels the channel's letter
  // after it, as the vendor's driver names them. Empty when the device has none or it
  // cannot be read; `error` gets libusb's error code then (0 otherwise), and the failure
  // is told to the diagnostics.
  std::string Serial(const FtdiConverter& converter, int& error);
  ftdi_context* Context() { return ctx_; }
  // Hands the context (with a device opened on it) to the caller.
  ftdi_context* Release();

 private:
  struct DeviceSerial {
    std::string text;
    int error;
  };
  DeviceSerial ReadSerial(libusb_device* device);

  Diagnostics& diagnostics_;
  ftdi_context* ctx_ = nullptr;
  libusb_device** devices_ = nullptr;
  std::vector<FtdiConverter> converters_;
  std::map<libusb_device*, DeviceSerial> serials_;
  bool ok_ = false;
};

// "USB 001/004 (0403:6001)": the device in messages.
std::string DeviceName(libusb_device* device);

}  // namespace oxi
