#include "usb/emulator/ftdi_chip.h"

#include <algorithm>
#include <cmath>

#include "monitor/protocol.h"
#include "platform/d2xx/ftdi_divisor.h"

namespace oxi::usb {
namespace {

constexpr std::size_t kPacketSize = 64;
constexpr std::size_t kStatusBytes = 2;
constexpr std::size_t kPacketPayload = kPacketSize - kStatusBytes;
// Modem status: the chip's fixed low nibble, CTS and DSR up; line status: transmitter
// empty.
constexpr std::uint8_t kModemStatus[kStatusBytes] = {0x31, 0x60};
constexpr std::int64_t kMicrosPerMs = 1000;

constexpr std::uint8_t kRequestTypeMask = 0x60;
constexpr std::uint8_t kStandardRequest = 0x00;
constexpr std::uint8_t kVendorRequest = 0x40;
constexpr std::uint8_t kGetStatus = 0x00;
constexpr std::uint8_t kGetDescriptor = 0x06;
constexpr std::uint8_t kGetConfiguration = 0x08;
constexpr std::uint8_t kDeviceDescriptor = 1;
constexpr std::uint8_t kConfigurationDescriptor = 2;
constexpr std::uint8_t kStringDescriptor = 3;
constexpr std::uint16_t kEnglishUs = 0x0409;
constexpr int kManufacturerString = 1;
constexpr int kProductString = 2;
constexpr int kSerialString = 3;
constexpr char kManufacturer[] = "FTDI";
constexpr char kKernelDriver[] = "ftdi_sio";

// Endpoints of channel k: bulk IN 0x81 + 2k, bulk OUT 0x02 + 2k.
constexpr std::uint8_t kFirstInEndpoint = 0x81;
constexpr std::uint8_t kFirstOutEndpoint = 0x02;

// Baud rate divisors: 14 integer bits, a sub-integer code in bits 14..16, and on the
// high-speed chips bit 17 choosing the 12 MHz clock over 3 MHz.
constexpr std::uint32_t kIntegerMask = 0x3FFF;
constexpr int kSubIntegerShift = 14;
constexpr std::uint32_t kSubIntegerMask = 0x7;
constexpr double kSubIntegerFractions[8] = {0, 0.5, 0.25, 0.125, 0.375, 0.625, 0.75, 0.875};
constexpr std::uint32_t kHighClockBit = 0x20000;
constexpr double kHighClockHz = 12'000'000;
// A UART hears a line whose rate is this close to its own.
constexpr double kRateTolerance = 0.005;

// kSioData's wValue: data bits, parity in bits 8..10, stop bits in 11..12 (0: one).
constexpr std::uint16_t kDataBitsMask = 0xFF;
constexpr int kParityShift = 8;
constexpr int kStopBitsShift = 11;
constexpr std::uint16_t kParityMask = 0x7;
constexpr std::uint16_t kStopBitsMask = 0x3;
constexpr std::uint8_t kTwoStopBits = 2;  // the driver's FT_STOP_BITS_2
// kSioModemControl's wValue: the lines in the low byte, which of them to set in the high.
constexpr std::uint16_t kRtsLine = 0x0002;
constexpr int kModemMaskShift = 8;
constexpr std::uint16_t kFlowMask = 0xFF00;
constexpr std::uint16_t kChannelMask = 0x00FF;

void Put16(std::vector<std::uint8_t>& bytes, int value) {
  bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

// The divisor the driver interface would give for this rate on the 3 MHz base: the
// monitor's own when the rate is that close to it.
std::uint16_t D2xxDivisorFor(double bitsPerSecond) {
  const double lineRate = FtdiBitsPerSecond(monitor::kLineDivisor);
  if (std::abs(bitsPerSecond / lineRate - 1) < kRateTolerance) return monitor::kLineDivisor;
  const double divisor = std::round(kFtdiBaseClockHz / bitsPerSecond);
  return static_cast<std::uint16_t>(std::clamp(divisor, 1.0, double(kIntegerMask)));
}

}  // namespace

FtdiChip::FtdiChip(FtdiChipOptions options, std::vector<std::unique_ptr<SimulatedMonitor>> monitors)
    : options_(std::move(options)), start_(std::chrono::steady_clock::now()) {
  monitors.resize(ChannelsOf(options_.bcdDevice));
  for (std::size_t k = 0; k < monitors.size(); ++k) {
    SimulatedConverter converter;
    converter.serial = ChannelSerial(static_cast<int>(k));
    converter.monitor = std::move(monitors[k]);
    channels_.push_back(
        {std::make_unique<SimulatedD2xx::Port>(std::move(converter)), options_.latencyMs, 0, {}});
  }
}

int FtdiChip::ChannelsOf(std::uint16_t bcdDevice) {
  if (bcdDevice == kFt2232C || bcdDevice == kFt2232H) return 2;
  if (bcdDevice == kFt4232H) return 4;
  return 1;
}

std::string FtdiChip::Product() const {
  switch (options_.bcdDevice) {
    case kFt232R:
      return "FT232R USB UART";
    case kFt2232C:
    case kFt2232H:
      return "Dual RS232";
    case kFt4232H:
      return "Quad RS232-HS";
    default:
      return "USB <-> Serial";
  }
}

std::string FtdiChip::ChannelSerial(int channel) const {
  if (ChannelsOf(options_.bcdDevice) < 2) return options_.serial;
  return options_.serial + static_cast<char>('A' + channel);
}

std::int64_t FtdiChip::NowUs() const {
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                               start_)
      .count();
}

bool FtdiChip::HighSpeedClass() const {
  return options_.bcdDevice == kFt2232H || options_.bcdDevice == kFt4232H ||
         options_.bcdDevice == kFt232H;
}

std::vector<FtdiRequest> FtdiChip::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::vector<std::size_t> FtdiChip::RequestsBeforeWrites() const {
  std::lock_guard lock(mutex_);
  return requestsBeforeWrites_;
}

std::vector<std::string> FtdiChip::Commands(int channel) const {
  std::lock_guard lock(mutex_);
  return channels_.at(channel).port->Converter().commands;
}

std::vector<std::int64_t> FtdiChip::CommandTimesUs(int channel) const {
  std::lock_guard lock(mutex_);
  return channels_.at(channel).commandTimesUs;
}

int FtdiChip::LatencyMs(int channel) const {
  std::lock_guard lock(mutex_);
  return channels_.at(channel).latencyMs;
}

void FtdiChip::UnplugAfterCommands(int channel, int n) {
  std::lock_guard lock(mutex_);
  channels_.at(channel).port->Converter().faults.push_back(
      {SimulatedFault::Kind::kUnplug, "", 0, n, 1});
}

SimulatedMonitor* FtdiChip::Monitor(int channel) {
  std::lock_guard lock(mutex_);
  return channels_.at(channel).port->Converter().monitor.get();
}

std::string FtdiChip::KernelDriver() const {
  return kKernelDriver;
}

std::vector<std::uint8_t> FtdiChip::Descriptors() const {
  std::vector<std::uint8_t> d = {18, kDeviceDescriptor};
  Put16(d, 0x0200);  // USB 2.0
  d.insert(d.end(), {0, 0, 0, static_cast<std::uint8_t>(kPacketSize)});
  Put16(d, options_.vendorId);
  Put16(d, options_.productId);
  Put16(d, options_.bcdDevice);
  d.insert(d.end(), {kManufacturerString, kProductString, kSerialString, 1});
  const int interfaces = Interfaces();
  const int total = 9 + interfaces * (9 + 2 * 7);
  d.insert(d.end(), {9, kConfigurationDescriptor});
  Put16(d, total);
  d.insert(d.end(), {static_cast<std::uint8_t>(interfaces), 1, 0, 0xA0, 45});
  for (int k = 0; k < interfaces; ++k) {
    d.insert(d.end(), {9, 4, static_cast<std::uint8_t>(k), 0, 2, 0xFF, 0xFF, 0xFF, kProductString});
    for (std::uint8_t endpoint : {static_cast<std::uint8_t>(kFirstInEndpoint + 2 * k),
                                  static_cast<std::uint8_t>(kFirstOutEndpoint + 2 * k)}) {
      d.insert(d.end(), {7, 5, endpoint, 2});
      Put16(d, kPacketSize);
      d.push_back(0);
    }
  }
  return d;
}

std::vector<std::uint8_t> FtdiChip::StringDescriptor(int index) const {
  std::vector<std::uint8_t> d;
  std::string text;
  if (index == kManufacturerString) text = kManufacturer;
  if (index == kProductString) text = Product();
  if (index == kSerialString) text = options_.serial;
  d.push_back(static_cast<std::uint8_t>(2 + (index == 0 ? 2 : 2 * text.size())));
  d.push_back(kStringDescriptor);
  if (index == 0) Put16(d, kEnglishUs);
  for (char c : text) Put16(d, static_cast<unsigned char>(c));
  return d;
}

bool FtdiChip::Standard(const UsbSetup& setup, std::vector<std::uint8_t>& data) const {
  if (!setup.In()) return true;  // configuration and interface settings: taken as they come
  if (setup.request == kGetStatus) {
    data = {0, 0};
  } else if (setup.request == kGetConfiguration) {
    data = {1};
  } else if (setup.request == kGetDescriptor) {
    const int type = setup.value >> 8;
    const int index = setup.value & 0xFF;
    const std::vector<std::uint8_t> all = Descriptors();
    if (type == kDeviceDescriptor) {
      data.assign(all.begin(), all.begin() + 18);
    } else if (type == kConfigurationDescriptor) {
      data.assign(all.begin() + 18, all.end());
    } else if (type == kStringDescriptor && index <= kSerialString) {
      data = StringDescriptor(index);
    } else {
      return false;
    }
  } else {
    return false;
  }
  if (data.size() > setup.length) data.resize(setup.length);
  return true;
}

int FtdiChip::ChannelOf(const UsbSetup& setup) const {
  if (channels_.size() == 1) return 0;
  const int port = setup.index & kChannelMask;
  return port == 0 ? 0 : port - 1;
}

void FtdiChip::SetBaudRate(Channel& channel, const UsbSetup& setup) {
  // The divisor's bits above 16 come in wIndex: in its high byte where the low byte names
  // the channel, else in its low bits.
  const bool channelInIndex = HighSpeedClass() || channels_.size() > 1;
  const std::uint32_t high = channelInIndex ? setup.index >> 8 : setup.index;
  const std::uint32_t encoded = setup.value | high << 16;
  const double base =
      HighSpeedClass() && (encoded & kHighClockBit) ? kHighClockHz : kFtdiBaseClockHz;
  double divisor = (encoded & kIntegerMask) +
                   kSubIntegerFractions[(encoded >> kSubIntegerShift) & kSubIntegerMask];
  if (divisor < 1) divisor = 1;
  channel.port->SetDivisor(D2xxDivisorFor(base / divisor));
}

bool FtdiChip::Vendor(const UsbSetup& setup, std::vector<std::uint8_t>& data) {
  requests_.push_back({setup.request, setup.value, setup.index});
  const int k = ChannelOf(setup);
  if (k >= static_cast<int>(channels_.size())) return false;
  Channel& channel = channels_[k];
  SimulatedD2xx::Port& port = *channel.port;
  switch (setup.request) {
    case kSioReset:
      if (setup.value == kResetAll) port.Reset();
      if (setup.value == kResetAll || setup.value == kPurgeToHost) {
        port.Line().PurgeArrived(NowUs());
      }
      return true;
    case kSioModemControl:
      if ((setup.value & kRtsLine << kModemMaskShift) && (setup.value & kRtsLine)) port.SetRts();
      return true;
    case kSioFlowControl:
      port.SetFlowControl(setup.index & kFlowMask);
      return true;
    case kSioBaudRate:
      SetBaudRate(channel, setup);
      return true;
    case kSioData: {
      const int stop = (setup.value >> kStopBitsShift) & kStopBitsMask;
      port.SetDataCharacteristics(setup.value & kDataBitsMask, stop == 0 ? 0 : kTwoStopBits,
                                  (setup.value >> kParityShift) & kParityMask);
      return true;
    }
    case kSioModemStatus:
      data.assign(std::begin(kModemStatus), std::end(kModemStatus));
      return true;
    case kSioSetLatency:
      channel.latencyMs = setup.value & 0xFF;
      return true;
    case kSioGetLatency:
      data = {static_cast<std::uint8_t>(channel.latencyMs)};
      return true;
    default:
      // EEPROM reads and the like: the chip answers, with nothing programmed.
      if (setup.In()) data.assign(setup.length, 0);
      return true;
  }
}

bool FtdiChip::Control(const UsbSetup& setup, std::vector<std::uint8_t>& data) {
  std::lock_guard lock(mutex_);
  const std::uint8_t type = setup.requestType & kRequestTypeMask;
  if (type == kStandardRequest) return Standard(setup, data);
  if (type == kVendorRequest) return Vendor(setup, data);
  return false;
}

void FtdiChip::BulkOut(std::uint8_t endpoint, const std::uint8_t* bytes, std::size_t size) {
  std::lock_guard lock(mutex_);
  const std::size_t k = (endpoint - kFirstOutEndpoint) / 2;
  if (k >= channels_.size()) return;
  requestsBeforeWrites_.push_back(requests_.size());
  Channel& channel = channels_[k];
  const std::int64_t now = NowUs();
  channel.port->Write(bytes, static_cast<std::uint32_t>(size), now);
  channel.commandTimesUs.resize(channel.port->Converter().commands.size(), now);
}

bool FtdiChip::BulkIn(std::uint8_t endpoint, std::size_t capacity,
                      std::vector<std::uint8_t>& filled) {
  std::lock_guard lock(mutex_);
  const std::size_t k = (endpoint - kFirstInEndpoint) / 2;
  if (k >= channels_.size()) return true;
  Channel& channel = channels_[k];
  SimulatedLine& line = channel.port->Line();
  const std::int64_t now = NowUs();
  for (;;) {
    const std::size_t room = std::min(kPacketSize, capacity - filled.size());
    if (room <= kStatusBytes) return true;
    const std::size_t arrived = static_cast<std::size_t>(line.Arrived(now));
    const bool timerRanOut = now - channel.lastPacketUs >= channel.latencyMs * kMicrosPerMs;
    if (arrived < kPacketPayload && !timerRanOut) return false;
    std::uint8_t packet[kPacketSize];
    std::copy(std::begin(kModemStatus), std::end(kModemStatus), packet);
    const int data = line.TakeArrived(
        packet + kStatusBytes, static_cast<int>(std::min(room, kPacketSize) - kStatusBytes), now);
    const std::size_t size = kStatusBytes + static_cast<std::size_t>(data);
    filled.insert(filled.end(), packet, packet + size);
    channel.lastPacketUs = now;
    if (size < kPacketSize || filled.size() == capacity) return true;
  }
}

bool FtdiChip::Gone() {
  std::lock_guard lock(mutex_);
  const std::int64_t now = NowUs();
  return std::any_of(channels_.begin(), channels_.end(),
                     [now](const Channel& c) { return c.port->Unplugged(now); });
}

}  // namespace oxi::usb
