#pragma once
#include <umockdev.h>

#include <memory>
#include <string>
#include <vector>

#include "usb/emulator/usb_device.h"
#include "usb/emulator/usbfs_node.h"

namespace oxi::usb {

// Names a plugged-in device shows in sysfs besides its descriptors.
struct UsbStrings {
  std::string manufacturer;
  std::string product;
  std::string serial;
};

// A umockdev test bed: a sysfs and /dev of its own in a temporary folder. Programs that
// run with the umockdev preload library and UMOCKDEV_DIR naming that folder (this process
// and its children, as the test bed sets the variable) see its devices instead of the
// machine's. Owns the devices plugged into it; they stay until the test bed goes.
class UsbTestbed {
 public:
  UsbTestbed();
  ~UsbTestbed();
  UsbTestbed(const UsbTestbed&) = delete;
  UsbTestbed& operator=(const UsbTestbed&) = delete;

  // Plugs the device into the next port of bus 1: its sysfs entry with descriptors and
  // strings, and its usbfs node answered by the returned node.
  UsbfsNode& Plug(std::unique_ptr<UsbDevice> device, const UsbStrings& strings);
  // The node file of a plugged device, for changing its permissions.
  std::string NodeFile(const UsbfsNode& node) const;
  std::string RootDir() const { return root_; }

 private:
  struct Plugged {
    std::unique_ptr<UsbDevice> device;
    std::unique_ptr<UsbfsNode> node;
    std::string devnode;  // /dev/bus/usb/001/NNN
  };

  UMockdevTestbed* testbed_;
  std::string root_;
  std::vector<Plugged> plugged_;
};

}  // namespace oxi::usb
