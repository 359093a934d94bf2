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
  // Takes the device node from every user but root (who may open anything), as on a
  // system without a udev rule for it, and lets other users into the test bed: for a
  // program run as another user, or by a user who is not root. Such a program's open of
  // the node fails with EACCES.
  void DenyAccess(const UsbfsNode& node);

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
