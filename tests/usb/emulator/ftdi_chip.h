#pragma once
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/d2xx/simulated_monitor.h"
#include "platform/d2xx/simulated_port.h"
#include "usb/emulator/usb_device.h"

namespace oxi::usb {

inline constexpr std::uint16_t kFtdiVendor = 0x0403;
// bcdDevice tells the chip types apart.
inline constexpr std::uint16_t kFt232B = 0x0400;
inline constexpr std::uint16_t kFt2232C = 0x0500;
inline constexpr std::uint16_t kFt232R = 0x0600;
inline constexpr std::uint16_t kFt2232H = 0x0700;
inline constexpr std::uint16_t kFt4232H = 0x0800;
inline constexpr std::uint16_t kFt232H = 0x0900;

// The chip's vendor requests (bRequest of the control transfers).
inline constexpr std::uint8_t kSioReset = 0x00;
inline constexpr std::uint8_t kSioModemControl = 0x01;
inline constexpr std::uint8_t kSioFlowControl = 0x02;
inline constexpr std::uint8_t kSioBaudRate = 0x03;
inline constexpr std::uint8_t kSioData = 0x04;
inline constexpr std::uint8_t kSioModemStatus = 0x05;
inline constexpr std::uint8_t kSioSetLatency = 0x09;
inline constexpr std::uint8_t kSioGetLatency = 0x0A;
// wValue of kSioReset.
inline constexpr std::uint16_t kResetAll = 0;
inline constexpr std::uint16_t kPurgeToChip = 1;  // what the host sent and the chip holds
inline constexpr std::uint16_t kPurgeToHost = 2;  // what the chip received for the host

struct FtdiChipOptions {
  std::uint16_t vendorId = kFtdiVendor;  // another maker's, for a device that is no FTDI chip
  std::uint16_t productId = 0x6001;
  std::uint16_t bcdDevice = kFt232R;
  std::string serial = "Kx47EMU1";
  // What the latency timer holds when the chip is plugged in, in ms: left by whatever
  // program used it last.
  int latencyMs = 16;
};

// One vendor request the host made.
struct FtdiRequest {
  std::uint8_t request;
  std::uint16_t value;
  std::uint16_t index;
  bool operator==(const FtdiRequest&) const = default;
};

// An FTDI USB serial converter chip (FT232R by default; FT232B, FT2232C/H, FT4232H and
// FT232H by bcdDevice) with a monitor, or nothing, behind each of its channels. Its vendor
// requests set the line the monitor listens on; bulk OUT goes out on the serial line; on
// bulk IN it sends 64-byte packets that begin with two modem status bytes: a full one as
// soon as 62 bytes have come in from the line, a short one (down to the status bytes
// alone) when its latency timer runs out. The line runs in real time.
class FtdiChip : public UsbDevice {
 public:
  FtdiChip(FtdiChipOptions options, std::vector<std::unique_ptr<SimulatedMonitor>> monitors);

  static int ChannelsOf(std::uint16_t bcdDevice);
  std::string Product() const;
  std::string ChannelSerial(int channel) const;  // as the vendor's driver names it

  // The vendor requests so far, in order, and for each bulk OUT write how many of them
  // came before it.
  std::vector<FtdiRequest> Requests() const;
  std::vector<std::size_t> RequestsBeforeWrites() const;
  // The commands a channel's monitor received, and when the host wrote each one (µs since
  // the chip was made).
  std::vector<std::string> Commands(int channel) const;
  std::vector<std::int64_t> CommandTimesUs(int channel) const;
  int LatencyMs(int channel) const;
  // Pulls the plug when the monitor behind `channel` receives its command after `n`.
  void UnplugAfterCommands(int channel, int n);
  // The monitor behind a channel; call only while no program uses the chip.
  SimulatedMonitor* Monitor(int channel);

  std::vector<std::uint8_t> Descriptors() const override;
  int Interfaces() const override { return static_cast<int>(channels_.size()); }
  std::string KernelDriver() const override;
  bool Control(const UsbSetup& setup, std::vector<std::uint8_t>& data) override;
  void BulkOut(std::uint8_t endpoint, const std::uint8_t* bytes, std::size_t size) override;
  bool BulkIn(std::uint8_t endpoint, std::size_t capacity,
              std::vector<std::uint8_t>& filled) override;
  bool Gone() override;

 private:
  struct Channel {
    std::unique_ptr<SimulatedD2xx::Port> port;
    int latencyMs;
    std::int64_t lastPacketUs = 0;
    std::vector<std::int64_t> commandTimesUs;
  };

  std::int64_t NowUs() const;
  bool HighSpeedClass() const;
  int ChannelOf(const UsbSetup& setup) const;
  bool Vendor(const UsbSetup& setup, std::vector<std::uint8_t>& data);
  bool Standard(const UsbSetup& setup, std::vector<std::uint8_t>& data) const;
  void SetBaudRate(Channel& channel, const UsbSetup& setup);
  std::vector<std::uint8_t> StringDescriptor(int index) const;

  FtdiChipOptions options_;
  std::chrono::steady_clock::time_point start_;
  mutable std::mutex mutex_;
  std::vector<Channel> channels_;
  std::vector<FtdiRequest> requests_;
  std::vector<std::size_t> requestsBeforeWrites_;
};

}  // namespace oxi::usb
