#pragma once
#include <libusb.h>

#include <optional>
#include <string>

namespace oxi {

// The serial number the kernel read from a USB device when it was plugged in, as sysfs
// shows it to every user: the device need not be opened to be told apart, and an
// instrument that is not a monitor's converter is not ours to open. Empty when the device
// shows none; nothing when sysfs has no entry for it (no sysfs on this system).
std::optional<std::string> SysfsSerial(libusb_device* device);

}  // namespace oxi
