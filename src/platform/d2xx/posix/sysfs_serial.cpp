#include "platform/d2xx/posix/sysfs_serial.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace oxi {
namespace {

namespace fs = std::filesystem;

// Where the kernel lists every USB device, by bus and port path: "1-4.2" is the device on
// port 2 of the hub on port 4 of bus 1.
constexpr const char* kUsbDevices = "/sys/bus/usb/devices";
// USB allows hubs seven tiers deep.
constexpr int kMaxPortDepth = 7;

// The first line of a sysfs attribute; nothing when it cannot be read.
std::optional<std::string> ReadAttribute(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  if (!in || !std::getline(in, line)) return std::nullopt;
  return line;
}

}  // namespace

std::optional<std::string> SysfsSerial(libusb_device* device) {
  std::uint8_t ports[kMaxPortDepth];
  const int depth = libusb_get_port_numbers(device, ports, kMaxPortDepth);
  if (depth <= 0) return std::nullopt;
  std::string name = std::to_string(libusb_get_bus_number(device)) + "-";
  for (int i = 0; i < depth; ++i) {
    if (i > 0) name += '.';
    name += std::to_string(ports[i]);
  }
  const fs::path entry = fs::path(kUsbDevices) / name;
  // The entry is this device's, and not one's plugged into the same port since.
  const std::optional<std::string> devnum = ReadAttribute(entry / "devnum");
  if (!devnum || *devnum != std::to_string(libusb_get_device_address(device))) return std::nullopt;
  // The kernel makes no serial attribute for a device that has no serial number.
  return ReadAttribute(entry / "serial").value_or("");
}

}  // namespace oxi
