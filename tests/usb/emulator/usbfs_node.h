#pragma once
#include <umockdev.h>

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "usb/emulator/usb_device.h"

namespace oxi::usb {

// What happened to an interface's kernel driver and claim.
struct InterfaceEvent {
  enum Kind { kDetach, kClaim, kRelease, kAttach };
  Kind kind;
  int interface;
  bool operator==(const InterfaceEvent&) const = default;
};

// The kernel's usbfs node of one device (/dev/bus/usb/BBB/DDD), as far as libusb uses it:
// claiming and releasing interfaces, detaching and re-attaching their kernel driver, and
// URBs that are submitted, reaped and discarded. Control and bulk transfers go to the
// device. Its handler answers the ioctls of every process that opens the node through
// the umockdev preload library; they run on the test bed's worker thread.
//
// poll() on the emulated node always reports it ready, so libusb asks for a finished URB
// in a loop; when none is there the handler waits a little for one before it says so,
// which keeps that loop from spinning.
class UsbfsNode {
 public:
  explicit UsbfsNode(UsbDevice& device);
  ~UsbfsNode();
  UsbfsNode(const UsbfsNode&) = delete;
  UsbfsNode& operator=(const UsbfsNode&) = delete;

  UMockdevIoctlBase* Handler() const { return handler_; }

  std::vector<InterfaceEvent> Events();
  // The driver an interface is bound to: the kernel driver, "usbfs" while a program has
  // claimed it, or "" for none.
  std::string Driver(int interface);
  // Another program holds the interfaces: claims fail with EBUSY.
  void SetBusy(bool busy);
  // The ioctls answered so far: each costs the calling program a round trip to the test
  // bed, where the kernel takes one system call.
  long Requests();

 private:
  struct Result {
    long value = 0;
    int error = 0;
  };
  struct Urb;

  static gboolean OnIoctl(UMockdevIoctlBase* handler, UMockdevIoctlClient* client, gpointer self);
  Result Dispatch(unsigned long request, UMockdevIoctlData* arg);
  Result Submit(UMockdevIoctlData* arg);
  Result Reap(UMockdevIoctlData* arg);
  Result Discard(UMockdevIoctlData* arg);
  Result DisconnectClaim(UMockdevIoctlData* arg);
  Result DriverIoctl(UMockdevIoctlData* arg);
  Result GetDriver(UMockdevIoctlData* arg);
  Result Claim(UMockdevIoctlData* arg, bool claim);
  // Moves the IN transfers the device has answered, and all of them once it is gone, to
  // the finished ones.
  void ServePending();
  bool TakeFinished(UMockdevIoctlData* arg);
  bool ValidInterface(long interface) const;

  UsbDevice& device_;
  UMockdevIoctlBase* handler_;
  gulong signal_ = 0;
  std::mutex mutex_;
  std::deque<Urb> pending_;   // IN transfers waiting for the device
  std::deque<Urb> finished_;  // waiting to be reaped
  std::vector<std::string> drivers_;
  std::vector<InterfaceEvent> events_;
  bool busy_ = false;
  bool justReaped_ = false;  // the last look for a finished URB found one
  long requests_ = 0;
};

}  // namespace oxi::usb
