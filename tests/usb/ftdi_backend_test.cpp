// The libftdi1 backend against emulated FTDI chips: listing (every product of the vendor,
// each channel of a dual or quad chip), opening by serial number, reads and their time-out,
// the look at the receive queue, what the link's calls ask of the chip, the kernel driver
// given back at close, a busy converter and one pulled out.
#include <gtest/gtest.h>

#include <chrono>

#include "app/download_view.h"
#include "device/commands.h"
#include "device/device_test_support.h"
#include "device/link.h"
#include "diagnostics_log.h"
#include "platform/d2xx/posix/ftdi_d2xx.h"
#include "platform/ui/scripted_platform.h"
#include "usb/emulator/emulated_converter.h"

namespace oxi::usb {
namespace {

using oxi::testing::ImageBuilder;

constexpr DWORD kListByIndex = FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER;
constexpr int kSectorFrame = monitor::kSectorReplyTextLength + 2;

class FtdiBackend : public ::testing::Test {
 protected:
  // A converter with a monitor of this device ID behind each channel.
  EmulatedConverter Plug(FtdiChipOptions options, const std::string& id = "EMU000000001") {
    std::vector<std::unique_ptr<SimulatedMonitor>> monitors;
    for (int k = 0; k < FtdiChip::ChannelsOf(options.bcdDevice); ++k) {
      std::string channelId = id;
      channelId.back() = static_cast<char>('A' + k);
      monitors.push_back(std::make_unique<SimulatedMonitor>(ImageBuilder(channelId).Build()));
    }
    return PlugConverter(testbed, options, std::move(monitors));
  }
  std::vector<std::string> Listed() {
    DWORD count = 0;
    EXPECT_EQ(d2xx.FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
    std::vector<std::string> serials;
    for (DWORD i = 0; i < count; ++i) {
      char serial[kSerialNumberBufferSize] = {};
      EXPECT_EQ(
          d2xx.FT_ListDevices(reinterpret_cast<void*>(std::uintptr_t{i}), serial, kListByIndex),
          FT_OK);
      serials.push_back(serial);
    }
    // In the order libusb finds the devices, which is not the order they were plugged in.
    std::sort(serials.begin(), serials.end());
    return serials;
  }
  // Opened and set up as the link does it, through the driver calls themselves.
  FT_HANDLE OpenForTheMonitor(const char* serial) {
    FT_HANDLE handle = nullptr;
    EXPECT_EQ(d2xx.FT_OpenEx(serial, FT_OPEN_BY_SERIAL_NUMBER, &handle), FT_OK);
    d2xx.FT_ResetDevice(handle);
    d2xx.FT_SetDivisor(handle, monitor::kLineDivisor);
    d2xx.FT_SetDataCharacteristics(handle, FT_BITS_8, FT_STOP_BITS_1, FT_PARITY_NONE);
    d2xx.FT_SetFlowControl(handle, FT_FLOW_RTS_CTS, 0, 0);
    d2xx.FT_SetTimeouts(handle, monitor::kReadTimeoutMs, monitor::kWriteTimeoutMs);
    d2xx.FT_SetRts(handle);
    return handle;
  }
  FT_STATUS Write(FT_HANDLE handle, const std::string& command) {
    DWORD written = 0;
    return d2xx.FT_Write(handle, command.data(), static_cast<DWORD>(command.size()), &written);
  }
  // The device ID in the system sector the monitor behind `serial` sends.
  std::string DeviceIdBehind(const std::string& serial) {
    WindowDownloadEvents events(platform);
    Link link(d2xx, events);
    if (!link.OpenDevice(serial.c_str())) return "not opened";
    std::string reply;
    if (link.QueryCmd(SectorReadCommand(0), reply) != QueryResult::kComplete) return "no reply";
    const auto sector = monitor::DecodeSectorReplyText(reply);
    return sector ? monitor::DecodeSystemSector(*sector).deviceId : "garbled";
  }

  UsbTestbed testbed;
  SystemClock clock;
  testing::DiagnosticsLog diagnostics;
  FtdiD2xx d2xx{clock, diagnostics};
  ScriptedPlatform platform;
};

TEST_F(FtdiBackend, ListsEveryProductOfTheVendorAndOpensBySerialNumber) {
  Plug({.productId = 0x6001, .serial = "Kx47EMU1"}, "EMU00000001A");
  // A product ID of an instrument maker's own, outside libftdi's default list.
  Plug({.productId = 0xE0D0, .serial = "Kx47EMU2"}, "EMU00000002A");
  Plug({.vendorId = 0x067B, .productId = 0x2303, .serial = "NOTFTDI"});
  // Another instrument's FTDI chip: listed by the serial number sysfs shows, never opened.
  const EmulatedConverter other = Plug({.productId = 0x6014, .serial = "FT9JTAG1"});
  EXPECT_EQ(Listed(), (std::vector<std::string>{"FT9JTAG1", "Kx47EMU1", "Kx47EMU2"}));
  char serial[kSerialNumberBufferSize] = {};
  EXPECT_EQ(d2xx.FT_ListDevices(reinterpret_cast<void*>(3), serial, kListByIndex),
            FT_DEVICE_NOT_FOUND);
  EXPECT_EQ(DeviceIdBehind("Kx47EMU2"), "EMU00000002A");
  EXPECT_EQ(DeviceIdBehind("Kx47EMU1"), "EMU00000001A");
  FT_HANDLE handle = nullptr;
  EXPECT_EQ(d2xx.FT_OpenEx("Kx47EMU9", FT_OPEN_BY_SERIAL_NUMBER, &handle), FT_DEVICE_NOT_FOUND);
  EXPECT_FALSE(d2xx.AccessDenied());
  EXPECT_EQ(other.node.Requests(), 0);
}

TEST_F(FtdiBackend, ChannelsOfDualAndQuadChipsAreConvertersOfTheirOwn) {
  const EmulatedConverter dual = Plug({.bcdDevice = kFt2232H, .serial = "Kx47DU"}, "DUAL0000000X");
  Plug({.productId = 0x6011, .bcdDevice = kFt4232H, .serial = "QU"});
  EXPECT_EQ(Listed(), (std::vector<std::string>{"Kx47DUA", "Kx47DUB", "QUA", "QUB", "QUC", "QUD"}));
  EXPECT_EQ(DeviceIdBehind("Kx47DUB"), "DUAL0000000B");
  EXPECT_EQ(DeviceIdBehind("Kx47DUA"), "DUAL0000000A");
  // Channel B's settings went to channel B: wIndex names it in its low byte.
  const std::vector<FtdiRequest> requests = dual.chip.Requests();
  EXPECT_NE(std::find(requests.begin(), requests.end(), FtdiRequest{kSioBaudRate, 0x016E, 0x0202}),
            requests.end());
  EXPECT_EQ(dual.node.Driver(0), "ftdi_sio");
  EXPECT_EQ(dual.node.Driver(1), "ftdi_sio");
}

// How the chip is asked for the monitor's line, by chip type: libftdi computes the divisor
// from the bit rate, on the 12 MHz clock on the high-speed chips.
struct ChipCase {
  const char* name;
  std::uint16_t bcdDevice;
  std::uint16_t divisor;
  std::uint16_t index;
};

class LinkSettings : public FtdiBackend, public ::testing::WithParamInterface<ChipCase> {};

TEST_P(LinkSettings, ChipIsSetForTheMonitorAndPurgedBeforeEveryCommand) {
  const EmulatedConverter converter =
      Plug({.bcdDevice = GetParam().bcdDevice, .serial = "Kx47SET", .latencyMs = 255});
  WindowDownloadEvents events(platform);
  Link link(d2xx, events);
  ASSERT_TRUE(link.OpenDevice(converter.chip.ChannelSerial(0).c_str()));
  std::string reply;
  ASSERT_EQ(link.QueryCmd(SectorReadCommand(0), reply), QueryResult::kComplete);
  ASSERT_EQ(link.QueryCmd(SectorReadCommand(0), reply), QueryResult::kComplete);
  EXPECT_EQ(link.SendCmd(ClockCommand({2009, 3, 7, 14, 5, 9})), kSendAck);
  link.Close();
  const std::vector<FtdiRequest> r = converter.chip.Requests();
  const std::uint16_t channel = 1;  // channel A
  for (const FtdiRequest& wanted : {
           FtdiRequest{kSioReset, kResetAll, channel},
           FtdiRequest{kSioSetLatency, FtdiD2xx::kLatencyTimerMs, channel},
           FtdiRequest{kSioBaudRate, GetParam().divisor, GetParam().index},
           FtdiRequest{kSioData, 0x0008, channel},             // 8 bits, no parity, 1 stop bit
           FtdiRequest{kSioFlowControl, 0, 0x0100 | channel},  // RTS/CTS
           FtdiRequest{kSioModemControl, 0x0202, channel},     // RTS up
       }) {
    EXPECT_NE(std::find(r.begin(), r.end(), wanted), r.end())
        << int(wanted.request) << " " << wanted.value << " " << wanted.index;
  }
  // Both queues are emptied right before each of the three commands goes out.
  const std::vector<std::size_t> before = converter.chip.RequestsBeforeWrites();
  ASSERT_EQ(before.size(), 3u);
  for (std::size_t n : before) {
    ASSERT_GE(n, 2u);
    EXPECT_EQ(r[n - 2], (FtdiRequest{kSioReset, kPurgeToChip, channel}));
    EXPECT_EQ(r[n - 1], (FtdiRequest{kSioReset, kPurgeToHost, channel}));
  }
  EXPECT_EQ(converter.chip.LatencyMs(0), FtdiD2xx::kLatencyTimerMs);
  // The serial driver is given back to the kernel at close, so its ttyUSB port returns.
  EXPECT_EQ(converter.node.Events(), (std::vector<InterfaceEvent>{{InterfaceEvent::kDetach, 0},
                                                                  {InterfaceEvent::kClaim, 0},
                                                                  {InterfaceEvent::kRelease, 0},
                                                                  {InterfaceEvent::kAttach, 0}}));
  EXPECT_EQ(converter.node.Driver(0), "ftdi_sio");
}

INSTANTIATE_TEST_SUITE_P(ChipTypes, LinkSettings,
                         ::testing::Values(ChipCase{"FT232B", kFt232B, 0x405B, 0},
                                           ChipCase{"FT232R", kFt232R, 0x405B, 0},
                                           ChipCase{"FT2232C", kFt2232C, 0x405B, 0},
                                           ChipCase{"FT232H", kFt232H, 0x016E, 0x0201}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FtdiBackend, ReadsHandOverWhatCameAndTimeOutWithNothing) {
  Plug({.serial = "Kx47RD"});
  WindowDownloadEvents events(platform);
  Link link(d2xx, events);
  ASSERT_TRUE(link.OpenDevice("Kx47RD"));
  FT_HANDLE handle = nullptr;
  ASSERT_EQ(d2xx.FT_OpenEx("Kx47RD", FT_OPEN_BY_SERIAL_NUMBER, &handle), FT_DEVICE_NOT_OPENED)
      << "a converter in use cannot be opened twice";
  link.Close();
  handle = OpenForTheMonitor("Kx47RD");
  std::uint8_t chunk[monitor::kReceiveChunkSize];
  DWORD got = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(d2xx.FT_Read(handle, chunk, sizeof chunk, &got), FT_OK);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(got, 0u);
  EXPECT_GE(waited, std::chrono::milliseconds(450));
  EXPECT_LT(waited, std::chrono::milliseconds(2000));
  // A sector's reply, taken through the queue: every look hands over at most one USB
  // packet's data, the bytes arrive whole and in order.
  ASSERT_EQ(Write(handle, SectorReadCommand(0)), FT_OK);
  std::string frame;
  DWORD largest = 0;
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (frame.size() < kSectorFrame && std::chrono::steady_clock::now() < limit) {
    DWORD waiting = 0;
    ASSERT_EQ(d2xx.FT_GetQueueStatus(handle, &waiting), FT_OK);
    largest = std::max(largest, waiting);
    if (!waiting) continue;
    ASSERT_EQ(d2xx.FT_Read(handle, chunk, sizeof chunk, &got), FT_OK);
    EXPECT_EQ(got, waiting);
    frame.append(reinterpret_cast<const char*>(chunk), got);
  }
  ASSERT_EQ(frame.size(), static_cast<std::size_t>(kSectorFrame));
  EXPECT_EQ(frame.substr(0, 9), "\x02SR,0000,");
  EXPECT_EQ(frame.back(), '\x03');
  EXPECT_LE(largest, 62u);
  EXPECT_EQ(d2xx.FT_Close(handle), FT_OK);
}

TEST_F(FtdiBackend, BusyConverterIsNotOpenedAndLibftdiSaysWhy) {
  const EmulatedConverter converter = Plug({.serial = "Kx47BUSY"});
  converter.node.SetBusy(true);
  FT_HANDLE handle = nullptr;
  EXPECT_EQ(d2xx.FT_OpenEx("Kx47BUSY", FT_OPEN_BY_SERIAL_NUMBER, &handle), FT_DEVICE_NOT_OPENED);
  const std::string said = diagnostics.said;
  EXPECT_NE(said.find("libftdi: open on USB 001/002 (0403:6001) channel A: unable to claim"),
            std::string::npos)
      << said;
  EXPECT_FALSE(d2xx.AccessDenied());
}

TEST_F(FtdiBackend, ConverterPulledOutFailsTheNextCallWithAnIoError) {
  const EmulatedConverter converter = Plug({.serial = "Kx47GONE"});
  converter.chip.UnplugAfterCommands(0, 0);
  const FT_HANDLE handle = OpenForTheMonitor("Kx47GONE");
  // The write goes out whole; the converter is gone as the command arrives.
  ASSERT_EQ(Write(handle, SectorReadCommand(0)), FT_OK);
  std::uint8_t chunk[monitor::kReceiveChunkSize];
  DWORD got = 0;
  DWORD waiting = 0;
  EXPECT_EQ(d2xx.FT_Read(handle, chunk, sizeof chunk, &got), FT_IO_ERROR);
  EXPECT_EQ(d2xx.FT_GetQueueStatus(handle, &waiting), FT_IO_ERROR);
  EXPECT_EQ(Write(handle, SectorReadCommand(0)), FT_IO_ERROR);
  EXPECT_NE(diagnostics.said.find("No such device"), std::string::npos);
  EXPECT_EQ(converter.chip.Commands(0), std::vector<std::string>{"SR,0000"});
  d2xx.FT_Close(handle);
}

}  // namespace
}  // namespace oxi::usb
