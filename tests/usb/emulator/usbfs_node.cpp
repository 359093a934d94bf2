#include "usb/emulator/usbfs_node.h"

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <thread>
#include <utility>

namespace oxi::usb {
namespace {

// libusb takes whole transfers in one URB with these, as from any recent kernel.
constexpr std::uint32_t kCapabilities =
    USBDEVFS_CAP_ZERO_PACKET | USBDEVFS_CAP_NO_PACKET_SIZE_LIM | USBDEVFS_CAP_BULK_SCATTER_GATHER;
constexpr std::size_t kSetupSize = 8;
constexpr int kFullSpeed = 2;  // the kernel's USB_SPEED_FULL
constexpr char kUsbfsDriver[] = "usbfs";
// A look for a finished URB that finds none waits for one in steps this long, short
// against the converter's latency timer, for at most kLongestReapWait: as poll() would
// block on a real node. libusb's own time-outs come that much late at the most.
constexpr auto kIdlePause = std::chrono::microseconds(500);
constexpr int kLongestReapWait = 10;  // pauses

struct Unref {
  void operator()(gpointer object) const {
    if (object) g_object_unref(object);
  }
};
using Data = std::unique_ptr<UMockdevIoctlData, Unref>;

// The client's memory that the argument points to (`size` bytes at `offset` of `parent`),
// copied here; changes go back to the client when the ioctl completes.
Data Resolve(UMockdevIoctlData* parent, std::size_t offset, std::size_t size) {
  GError* error = nullptr;
  Data data(umockdev_ioctl_data_resolve(parent, offset, size, &error));
  if (error) g_error_free(error);
  return data;
}

template <typename T>
T* As(const Data& data) {
  return data && data->data_len >= static_cast<int>(sizeof(T)) ? reinterpret_cast<T*>(data->data)
                                                               : nullptr;
}

// The argument's own value (for ioctls that pass a number or an address).
gulong ArgumentValue(UMockdevIoctlData* arg) {
  gulong value = 0;
  std::memcpy(&value, arg->data, sizeof value);
  return value;
}

UsbSetup SetupOf(const std::uint8_t* bytes) {
  const auto u16 = [bytes](int at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
  };
  return {bytes[0], bytes[1], u16(2), u16(4), u16(6)};
}

}  // namespace

// A submitted URB: its structure and buffer in the submitting client's memory, and for an
// IN transfer what the device has sent so far.
struct UsbfsNode::Urb {
  UMockdevIoctlData* urb;     // owned reference
  UMockdevIoctlData* buffer;  // owned reference; null for an empty buffer
  gulong address;             // the URB's address in the client
  std::vector<std::uint8_t> received;

  usbdevfs_urb& Fields() const { return *reinterpret_cast<usbdevfs_urb*>(urb->data); }
  void Finish(int status, int actualLength) const {
    Fields().status = status;
    Fields().actual_length = actualLength;
  }
  void Release() const {
    if (buffer) g_object_unref(buffer);
    g_object_unref(urb);
  }
};

UsbfsNode::UsbfsNode(UsbDevice& device)
    : device_(device),
      handler_(umockdev_ioctl_base_new()),
      drivers_(device.Interfaces(), device.KernelDriver()) {
  signal_ = g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(&UsbfsNode::OnIoctl), this);
}

UsbfsNode::~UsbfsNode() {
  g_signal_handler_disconnect(handler_, signal_);
  for (const Urb& urb : pending_) urb.Release();
  for (const Urb& urb : finished_) urb.Release();
  g_object_unref(handler_);
}

std::vector<InterfaceEvent> UsbfsNode::Events() {
  std::lock_guard lock(mutex_);
  return events_;
}

std::string UsbfsNode::Driver(int interface) {
  std::lock_guard lock(mutex_);
  return drivers_.at(interface);
}

void UsbfsNode::SetBusy(bool busy) {
  std::lock_guard lock(mutex_);
  busy_ = busy;
}

long UsbfsNode::Requests() {
  std::lock_guard lock(mutex_);
  return requests_;
}

gboolean UsbfsNode::OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
  const unsigned long request = umockdev_ioctl_client_get_request(client);
  const Result result =
      static_cast<UsbfsNode*>(self)->Dispatch(request, umockdev_ioctl_client_get_arg(client));
  umockdev_ioctl_client_complete(client, result.value, result.error);
  return TRUE;
}

UsbfsNode::Result UsbfsNode::Dispatch(unsigned long request, UMockdevIoctlData* arg) {
  {
    std::lock_guard lock(mutex_);
    ++requests_;
  }
  // Once the device is gone only its URBs can still be reaped, as from the kernel.
  if (request == USBDEVFS_REAPURBNDELAY || request == USBDEVFS_REAPURB) return Reap(arg);
  if (request == USBDEVFS_DISCARDURB) return Discard(arg);
  if (device_.Gone()) return {-1, ENODEV};
  switch (request) {
    case USBDEVFS_SUBMITURB:
      return Submit(arg);
    case USBDEVFS_GET_CAPABILITIES: {
      const Data caps = Resolve(arg, 0, sizeof(std::uint32_t));
      if (auto* value = As<std::uint32_t>(caps)) *value = kCapabilities;
      return {};
    }
    case USBDEVFS_CLAIMINTERFACE:
      return Claim(arg, true);
    case USBDEVFS_RELEASEINTERFACE:
      return Claim(arg, false);
    case USBDEVFS_DISCONNECT_CLAIM:
      return DisconnectClaim(arg);
    case USBDEVFS_IOCTL:
      return DriverIoctl(arg);
    case USBDEVFS_GETDRIVER:
      return GetDriver(arg);
    case USBDEVFS_GET_SPEED:
      return {kFullSpeed, 0};
    case USBDEVFS_SETCONFIGURATION:
    case USBDEVFS_SETINTERFACE:
    case USBDEVFS_RESET:
    case USBDEVFS_CLEAR_HALT:
    case USBDEVFS_RESETEP:
      return {};
    default:
      return {-1, ENOTTY};
  }
}

UsbfsNode::Result UsbfsNode::Submit(UMockdevIoctlData* arg) {
  Data urbData = Resolve(arg, 0, sizeof(usbdevfs_urb));
  auto* fields = As<usbdevfs_urb>(urbData);
  if (!fields || fields->buffer_length < 0) return {-1, EINVAL};
  const std::size_t length = static_cast<std::size_t>(fields->buffer_length);
  Data buffer = length ? Resolve(urbData.get(), offsetof(usbdevfs_urb, buffer), length) : Data();
  if (length && !buffer) return {-1, EFAULT};
  const bool in = fields->endpoint & 0x80;
  if (fields->type == USBDEVFS_URB_TYPE_CONTROL && length < kSetupSize) return {-1, EINVAL};
  const gulong address = urbData->client_addr;
  Urb urb{urbData.release(), buffer.release(), address, {}};
  std::lock_guard lock(mutex_);
  if (urb.Fields().type == USBDEVFS_URB_TYPE_CONTROL) {
    const UsbSetup setup = SetupOf(urb.buffer->data);
    std::vector<std::uint8_t> data(urb.buffer->data + kSetupSize, urb.buffer->data + length);
    const bool ok = device_.Control(setup, data);
    const std::size_t answered = std::min(data.size(), length - kSetupSize);
    if (setup.In()) std::copy_n(data.begin(), answered, urb.buffer->data + kSetupSize);
    urb.Finish(ok ? 0 : -EPIPE, ok ? static_cast<int>(setup.In() ? answered : data.size()) : 0);
    finished_.push_back(std::move(urb));
  } else if (in) {
    pending_.push_back(std::move(urb));
  } else {
    device_.BulkOut(urb.Fields().endpoint, urb.buffer ? urb.buffer->data : nullptr, length);
    urb.Finish(0, static_cast<int>(length));
    finished_.push_back(std::move(urb));
  }
  return {};
}

void UsbfsNode::ServePending() {
  const bool gone = device_.Gone();
  for (auto it = pending_.begin(); it != pending_.end();) {
    const std::size_t capacity = static_cast<std::size_t>(it->Fields().buffer_length);
    if (!gone && !device_.BulkIn(it->Fields().endpoint, capacity, it->received)) {
      ++it;
      continue;
    }
    if (it->buffer) std::copy(it->received.begin(), it->received.end(), it->buffer->data);
    // A device pulled out ends what was under way as the host controller does.
    it->Finish(gone ? -ESHUTDOWN : 0, static_cast<int>(it->received.size()));
    finished_.push_back(std::move(*it));
    it = pending_.erase(it);
  }
}

bool UsbfsNode::TakeFinished(UMockdevIoctlData* arg) {
  std::lock_guard lock(mutex_);
  ServePending();
  if (finished_.empty()) return false;
  const Urb urb = std::move(finished_.front());
  finished_.pop_front();
  // The reap writes the URB's address where the argument points, and the URB itself and
  // its buffer go back into the client's memory with it.
  const Data target = Resolve(arg, 0, sizeof(void*));
  if (target) umockdev_ioctl_data_set_ptr(target.get(), 0, urb.urb);
  urb.Release();
  return true;
}

UsbfsNode::Result UsbfsNode::Reap(UMockdevIoctlData* arg) {
  // libusb looks again right after each URB it reaps, before it hands the URB on: that look
  // is answered at once.
  const bool justReaped = std::exchange(justReaped_, false);
  for (int pause = 0;; ++pause) {
    if (TakeFinished(arg)) return justReaped_ = true, Result{};
    if (device_.Gone()) return {-1, ENODEV};
    if (justReaped || pause == kLongestReapWait) return {-1, EAGAIN};
    std::this_thread::sleep_for(kIdlePause);
  }
}

UsbfsNode::Result UsbfsNode::Discard(UMockdevIoctlData* arg) {
  const gulong address = ArgumentValue(arg);
  std::lock_guard lock(mutex_);
  for (auto it = pending_.begin(); it != pending_.end(); ++it) {
    if (it->address != address) continue;
    if (it->buffer) std::copy(it->received.begin(), it->received.end(), it->buffer->data);
    it->Finish(-ENOENT, static_cast<int>(it->received.size()));
    finished_.push_back(std::move(*it));
    pending_.erase(it);
    return {};
  }
  return {-1, EINVAL};
}

bool UsbfsNode::ValidInterface(long interface) const {
  return interface >= 0 && interface < static_cast<long>(drivers_.size());
}

UsbfsNode::Result UsbfsNode::Claim(UMockdevIoctlData* arg, bool claim) {
  const Data number = Resolve(arg, 0, sizeof(unsigned int));
  const auto* interface = As<unsigned int>(number);
  std::lock_guard lock(mutex_);
  if (!interface || !ValidInterface(*interface)) return {-1, EINVAL};
  std::string& driver = drivers_[*interface];
  if (claim) {
    if (busy_ || !driver.empty()) return {-1, EBUSY};
    driver = kUsbfsDriver;
    events_.push_back({InterfaceEvent::kClaim, static_cast<int>(*interface)});
  } else {
    if (driver != kUsbfsDriver) return {-1, EINVAL};
    driver.clear();
    events_.push_back({InterfaceEvent::kRelease, static_cast<int>(*interface)});
  }
  return {};
}

UsbfsNode::Result UsbfsNode::DisconnectClaim(UMockdevIoctlData* arg) {
  const Data data = Resolve(arg, 0, sizeof(usbdevfs_disconnect_claim));
  const auto* request = As<usbdevfs_disconnect_claim>(data);
  std::lock_guard lock(mutex_);
  if (!request || !ValidInterface(request->interface)) return {-1, EINVAL};
  const int interface = static_cast<int>(request->interface);
  std::string& driver = drivers_[interface];
  const bool named = std::strncmp(driver.c_str(), request->driver, sizeof request->driver) == 0;
  if (busy_ || driver == kUsbfsDriver) return {-1, EBUSY};
  if (!driver.empty()) {
    if ((request->flags & USBDEVFS_DISCONNECT_CLAIM_IF_DRIVER) && !named) return {-1, EBUSY};
    if ((request->flags & USBDEVFS_DISCONNECT_CLAIM_EXCEPT_DRIVER) && named) return {-1, EBUSY};
    events_.push_back({InterfaceEvent::kDetach, interface});
  }
  driver = kUsbfsDriver;
  events_.push_back({InterfaceEvent::kClaim, interface});
  return {};
}

UsbfsNode::Result UsbfsNode::DriverIoctl(UMockdevIoctlData* arg) {
  const Data data = Resolve(arg, 0, sizeof(usbdevfs_ioctl));
  const auto* request = As<usbdevfs_ioctl>(data);
  std::lock_guard lock(mutex_);
  if (!request || !ValidInterface(request->ifno)) return {-1, EINVAL};
  std::string& driver = drivers_[request->ifno];
  if (request->ioctl_code == static_cast<int>(USBDEVFS_DISCONNECT)) {
    if (driver.empty() || driver == kUsbfsDriver) return {-1, ENODATA};
    driver.clear();
    events_.push_back({InterfaceEvent::kDetach, request->ifno});
    return {};
  }
  if (request->ioctl_code == static_cast<int>(USBDEVFS_CONNECT)) {
    // An interface that has a driver (usbfs too) keeps it; a free one gets the kernel's.
    if (!driver.empty()) return {};
    driver = device_.KernelDriver();
    events_.push_back({InterfaceEvent::kAttach, request->ifno});
    return {1, 0};
  }
  return {-1, ENOTTY};
}

UsbfsNode::Result UsbfsNode::GetDriver(UMockdevIoctlData* arg) {
  const Data data = Resolve(arg, 0, sizeof(usbdevfs_getdriver));
  auto* request = As<usbdevfs_getdriver>(data);
  std::lock_guard lock(mutex_);
  if (!request || !ValidInterface(request->interface)) return {-1, EINVAL};
  const std::string& driver = drivers_[request->interface];
  if (driver.empty()) return {-1, ENODATA};
  std::strncpy(request->driver, driver.c_str(), sizeof request->driver - 1);
  request->driver[sizeof request->driver - 1] = '\0';
  return {};
}

}  // namespace oxi::usb
