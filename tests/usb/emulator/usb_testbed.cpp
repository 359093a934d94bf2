#include "usb/emulator/usb_testbed.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace oxi::usb {
namespace {

constexpr int kBus = 1;
constexpr int kFirstDevnum = 2;  // 1 is the root hub
constexpr int kUsbDeviceMajor = 189;
constexpr int kFullSpeedMbps = 12;

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  char pair[3];
  for (std::uint8_t b : bytes) {
    std::snprintf(pair, sizeof pair, "%02X", b);
    text += pair;
  }
  return text;
}

std::string Hex4(int value) {
  char text[5];
  std::snprintf(text, sizeof text, "%04x", value);
  return text;
}

// The device descriptor's little-endian 16-bit field at `at`.
int Field16(const std::vector<std::uint8_t>& descriptors, int at) {
  return descriptors.at(at) | descriptors.at(at + 1) << 8;
}

}  // namespace

UsbTestbed::UsbTestbed() : testbed_(umockdev_testbed_new()) {
  gchar* root = umockdev_testbed_get_root_dir(testbed_);
  root_ = root;
  g_free(root);
}

UsbTestbed::~UsbTestbed() {
  // The test bed detaches the nodes' handlers as it goes; only then may they go.
  g_object_unref(testbed_);
  plugged_.clear();
}

UsbfsNode& UsbTestbed::Plug(std::unique_ptr<UsbDevice> device, const UsbStrings& strings) {
  const int devnum = kFirstDevnum + static_cast<int>(plugged_.size());
  char busDev[16];
  std::snprintf(busDev, sizeof busDev, "%03d/%03d", kBus, devnum);
  const std::string node = std::string("bus/usb/") + busDev;
  const std::string port = std::to_string(kBus) + "-" + std::to_string(devnum - 1);
  const std::vector<std::uint8_t> descriptors = device->Descriptors();
  // The sysfs entry as the kernel makes it, in umockdev's text form.
  std::string entry;
  entry += "P: /devices/pci0000:00/0000:00:14.0/usb1/" + port + "\n";
  entry += "N: " + node + "\n";
  entry += "E: DEVNAME=/dev/" + node + "\n";
  entry += "E: DEVTYPE=usb_device\nE: SUBSYSTEM=usb\nE: DRIVER=usb\n";
  entry += "E: BUSNUM=" + std::string(busDev, 3) + "\nE: DEVNUM=" + std::string(busDev + 4) + "\n";
  entry += "A: busnum=" + std::to_string(kBus) + "\nA: devnum=" + std::to_string(devnum) + "\n";
  entry += "A: dev=" + std::to_string(kUsbDeviceMajor) + ":" + std::to_string(devnum - 1) + "\n";
  entry += "A: speed=" + std::to_string(kFullSpeedMbps) + "\n";
  entry += "A: bConfigurationValue=1\nA: bNumConfigurations=1\n";
  entry += "A: bNumInterfaces=" + std::to_string(device->Interfaces()) + "\n";
  entry += "A: idVendor=" + Hex4(Field16(descriptors, 8)) + "\n";
  entry += "A: idProduct=" + Hex4(Field16(descriptors, 10)) + "\n";
  entry += "A: bcdDevice=" + Hex4(Field16(descriptors, 12)) + "\n";
  entry += "A: manufacturer=" + strings.manufacturer + "\nA: product=" + strings.product + "\n";
  entry += "A: serial=" + strings.serial + "\n";
  entry += "H: descriptors=" + Hex(descriptors) + "\n";
  GError* error = nullptr;
  if (!umockdev_testbed_add_from_string(testbed_, entry.c_str(), &error)) {
    const std::string message = error ? error->message : "?";
    g_clear_error(&error);
    throw std::runtime_error("umockdev: cannot add the device: " + message);
  }
  auto usbfs = std::make_unique<UsbfsNode>(*device);
  const std::string devnode = "/dev/" + node;
  if (!umockdev_testbed_attach_ioctl(testbed_, devnode.c_str(), usbfs->Handler(), &error)) {
    const std::string message = error ? error->message : "?";
    g_clear_error(&error);
    throw std::runtime_error("umockdev: cannot attach the usbfs node: " + message);
  }
  plugged_.push_back({std::move(device), std::move(usbfs), devnode});
  return *plugged_.back().node;
}

void UsbTestbed::DenyAccess(const UsbfsNode& node) {
  namespace fs = std::filesystem;
  for (const Plugged& p : plugged_) {
    if (p.node.get() != &node) continue;
    fs::permissions(root_ + p.devnode, ::geteuid() == 0
                                           ? fs::perms::owner_read | fs::perms::owner_write
                                           : fs::perms::none);
    // The preload library connects to the node's ioctl socket even after the open failed,
    // and ends the program when it cannot; and it makes its uevent sockets in the root.
    fs::permissions(root_ + "/ioctl" + p.devnode, fs::perms::all);
    fs::permissions(root_, fs::perms::all);
  }
}

}  // namespace oxi::usb
