#include "platform/d2xx/posix/ftdi_listing.h"

#include <cstdio>

#include "platform/d2xx/posix/sysfs_serial.h"
#include "platform/text/text_format.h"

namespace oxi {
namespace {

constexpr int kSerialBufferSize = 128;

int InterfacesOf(libusb_device* device) {
  libusb_config_descriptor* config = nullptr;
  if (libusb_get_config_descriptor(device, 0, &config) != LIBUSB_SUCCESS) return 1;
  const int interfaces = config->bNumInterfaces;
  libusb_free_config_descriptor(config);
  return interfaces > 0 ? interfaces : 1;
}

}  // namespace

std::string DeviceName(libusb_device* device) {
  libusb_device_descriptor descriptor{};
  libusb_get_device_descriptor(device, &descriptor);
  char name[40];
  std::snprintf(name, sizeof name, "USB %03u/%03u (%04x:%04x)", libusb_get_bus_number(device),
                libusb_get_device_address(device), descriptor.idVendor, descriptor.idProduct);
  return name;
}

FtdiListing::FtdiListing(Diagnostics& diagnostics) : diagnostics_(diagnostics), ctx_(ftdi_new()) {
  if (!ctx_) {
    diagnostics_.Log("libftdi: cannot start libusb\n");
    return;
  }
  const ssize_t count = libusb_get_device_list(ctx_->usb_ctx, &devices_);
  if (count < 0) {
    diagnostics_.Log(FormatText("libusb: cannot list the USB devices: %s\n",
                                libusb_strerror(static_cast<int>(count))));
    devices_ = nullptr;
    return;
  }
  ok_ = true;
  for (ssize_t i = 0; i < count; ++i) {
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(devices_[i], &descriptor) != LIBUSB_SUCCESS) continue;
    if (descriptor.idVendor != kFtdiVendorId) continue;
    const int channels = InterfacesOf(devices_[i]);
    for (int channel = 0; channel < channels; ++channel) {
      converters_.push_back({devices_[i], channel, channels});
    }
  }
}

FtdiListing::~FtdiListing() {
  if (devices_) libusb_free_device_list(devices_, 1);
  if (ctx_) ftdi_free(ctx_);
}

ftdi_context* FtdiListing::Release() {
  ftdi_context* ctx = ctx_;
  if (devices_) libusb_free_device_list(devices_, 1);
  devices_ = nullptr;
  converters_.clear();
  ctx_ = nullptr;
  return ctx;
}

FtdiListing::DeviceSerial FtdiListing::ReadSerial(libusb_device* device) {
  // Opening another maker's instrument only to read its serial number is not ours to do:
  // the kernel's copy tells it, and only where there is none is the device asked.
  if (std::optional<std::string> serial = SysfsSerial(device)) return {*serial, 0};
  libusb_device_descriptor descriptor{};
  int error = libusb_get_device_descriptor(device, &descriptor);
  if (error == LIBUSB_SUCCESS && descriptor.iSerialNumber == 0) return {"", 0};
  libusb_device_handle* handle = nullptr;
  if (error == LIBUSB_SUCCESS) error = libusb_open(device, &handle);
  unsigned char text[kSerialBufferSize] = {};
  if (error == LIBUSB_SUCCESS) {
    const int length =
        libusb_get_string_descriptor_ascii(handle, descriptor.iSerialNumber, text, sizeof text - 1);
    if (length < 0) error = length;
    libusb_close(handle);
  }
  if (error != LIBUSB_SUCCESS) {
    diagnostics_.Log(FormatText("libusb: cannot read the serial number of %s: %s\n",
                                DeviceName(device).c_str(), libusb_strerror(error)));
    return {"", error};
  }
  return {reinterpret_cast<const char*>(text), 0};
}

std::string FtdiListing::Serial(const FtdiConverter& converter, int& error) {
  auto it = serials_.find(converter.device);
  if (it == serials_.end())
    it = serials_.emplace(converter.device, ReadSerial(converter.device)).first;
  error = it->second.error;
  if (it->second.text.empty() || converter.channels < 2) return it->second.text;
  return it->second.text + static_cast<char>('A' + converter.channel);
}

}  // namespace oxi
