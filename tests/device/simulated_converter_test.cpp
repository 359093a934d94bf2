// The simulated converter and monitor: the frames, the line's timing, the memory image
// file, the environment switch and pulling the plug.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/download_view.h"
#include "device/commands.h"
#include "device/link.h"
#include "device_test_support.h"
#include "diagnostics_log.h"
#include "platform/d2xx/d2xx_factory.h"
#include "platform/d2xx/ftdi_divisor.h"
#include "platform/ui/process.h"

namespace oxi::testing {
namespace {

namespace fs = std::filesystem;
using Kind = SimulatedFault::Kind;

class SimulatedConverterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image = ImageBuilder("SIMID0000001").Add(5, Head(8, 3, 15, 9, 5), Samples(20)).Build();
    image.Sector(5)[200] = 0xAB;  // a byte past the samples, to see it is sent as it is
    converter = &d2xx.AddConverter("Kx47S", std::make_unique<SimulatedMonitor>(image));
  }
  FT_HANDLE Open() {
    FT_HANDLE handle = nullptr;
    EXPECT_EQ(d2xx.FT_OpenEx("Kx47S", FT_OPEN_BY_SERIAL_NUMBER, &handle), FT_OK);
    return handle;
  }
  void Write(FT_HANDLE handle, const std::string& bytes) {
    DWORD written = 0;
    EXPECT_EQ(d2xx.FT_Write(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written),
              FT_OK);
  }
  // Reads until `count` bytes came or a read brings nothing; the size of every chunk.
  std::vector<DWORD> ReadChunks(FT_HANDLE handle, std::string& received, std::size_t count) {
    std::vector<DWORD> chunks;
    char buffer[1000];
    DWORD got = 0;
    while (received.size() < count && d2xx.FT_Read(handle, buffer, 1000, &got) == FT_OK && got) {
      received.append(buffer, got);
      chunks.push_back(got);
    }
    return chunks;
  }

  ScriptedPlatform platform;
  VirtualClock& clock = platform.Virtual();
  SimulatedD2xx d2xx{clock};
  monitor::MonitorImage image{1};
  SimulatedConverter* converter = nullptr;
};

TEST_F(SimulatedConverterTest, SectorReplyArrivesInUsbPacketsAtLineSpeed) {
  // Configured as the link configures it, the raw calls see the whole frame.
  FT_HANDLE handle = Open();
  d2xx.FT_SetDivisor(handle, 0x405B);
  d2xx.FT_SetDataCharacteristics(handle, FT_BITS_8, FT_STOP_BITS_1, FT_PARITY_NONE);
  d2xx.FT_SetFlowControl(handle, FT_FLOW_RTS_CTS, 0, 0);
  d2xx.FT_SetTimeouts(handle, 500, 500);
  d2xx.FT_SetRts(handle);
  const std::int64_t start = clock.NowMs();
  Write(handle, SectorReadCommand(5));
  std::string frame;
  const std::vector<DWORD> chunks = ReadChunks(handle, frame, 522);
  ASSERT_EQ(frame.size(), 522u);
  EXPECT_EQ(frame.front(), '\x02');
  EXPECT_EQ(frame.back(), '\x03');
  EXPECT_EQ(frame.substr(1, 8), "SR,0005,");
  EXPECT_EQ(monitor::DecodeSectorReplyText(frame.substr(1, 520)), image.Sector(5));
  for (DWORD n : chunks) EXPECT_LE(n, 62u);
  EXPECT_GE(clock.NowMs() - start, 162);
  EXPECT_LE(clock.NowMs() - start, 180);
}

TEST_F(SimulatedConverterTest, MonitorHearsNothingOnAnUnsetLine) {
  FT_HANDLE handle = Open();
  d2xx.FT_SetTimeouts(handle, 500, 500);
  Write(handle, SectorReadCommand(5));
  std::string received;
  EXPECT_TRUE(ReadChunks(handle, received, 1).empty());
  EXPECT_TRUE(converter->commands.empty());
}

TEST_F(SimulatedConverterTest, RefusesUnknownCommandsAndSectorsPastTheMemory) {
  for (const std::string& command :
       {SectorReadCommand(image.SectorCount()), std::string("\x02SR,12\x03"),
        std::string("\x02SC,0903X7,140509\x03"), std::string("\x02XY\x03")}) {
    SimulatedMonitor monitor(image);
    const std::string text = command.substr(1, command.size() - 2);
    EXPECT_EQ(monitor.Answer(text).immediate, std::vector<std::uint8_t>{0x15}) << text;
  }
}

TEST_F(SimulatedConverterTest, PurgeDropsWhatHasArrived) {
  FT_HANDLE handle = Open();
  d2xx.FT_SetDivisor(handle, 0x405B);
  d2xx.FT_SetFlowControl(handle, FT_FLOW_RTS_CTS, 0, 0);
  d2xx.FT_SetRts(handle);
  Write(handle, SectorReadCommand(5));
  clock.SleepMs(300);
  DWORD waiting = 0;
  d2xx.FT_GetQueueStatus(handle, &waiting);
  EXPECT_EQ(waiting, 522u);
  d2xx.FT_Purge(handle, FT_PURGE_RX | FT_PURGE_TX);
  d2xx.FT_GetQueueStatus(handle, &waiting);
  EXPECT_EQ(waiting, 0u);
}

TEST_F(SimulatedConverterTest, PulledOutConverterDisappears) {
  converter->faults = {{Kind::kUnplug, "SC", 0}};
  d2xx.AddConverter("Kx47T", nullptr);
  WindowDownloadEvents events(platform);
  Link link(d2xx, events);
  ASSERT_TRUE(link.OpenDevice("Kx47S"));
  link.SendCmd(ClockCommand({2009, 3, 7, 14, 5, 9}));
  EXPECT_TRUE(link.Lost());
  DWORD count = 0;
  EXPECT_EQ(d2xx.FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
  EXPECT_EQ(count, 1u);
  char serial[kSerialNumberBufferSize] = {};
  EXPECT_EQ(d2xx.FT_ListDevices(nullptr, serial, FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER),
            FT_OK);
  EXPECT_STREQ(serial, "Kx47T");
  FT_HANDLE handle = nullptr;
  EXPECT_NE(d2xx.FT_OpenEx("Kx47S", FT_OPEN_BY_SERIAL_NUMBER, &handle), FT_OK);
}

TEST(SimulatedMonitorFile, ClockAndEraseAreWrittenBack) {
  const fs::path file = fs::temp_directory_path() / "oxi-simulated-monitor.img";
  ImageBuilder("FILEID000001").Add(1, Head(8, 3, 15, 9, 5), Samples(60)).Build().Save(file);
  ScriptedPlatform platform;
  auto d2xx = MakeSimulatedD2xx(platform.Virtual(), {file.string(), "/nonexistent/image"});
  WindowDownloadEvents events(platform);
  Link link(*d2xx, events);
  ASSERT_TRUE(link.OpenDevice("Kx47SIM0"));
  EXPECT_EQ(link.SendCmd(ClockCommand({2009, 3, 7, 14, 5, 9})), kSendAck);
  EXPECT_EQ(link.SendCmd(EraseCommand()), kSendEraseDone);
  const auto saved = monitor::MonitorImage::Load(file);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->Clock(), (std::array<std::uint8_t, 6>{0x09, 0x03, 0x07, 0x14, 0x05, 0x09}));
  EXPECT_EQ(monitor::DecodeSystemSector(saved->System()).table.size(), 0u);
  EXPECT_EQ(monitor::DecodeSystemSector(saved->System()).deviceId, "FILEID000001");
  // The samples stay where they were: only the table says the memory is empty.
  EXPECT_EQ(saved->Sector(1)[monitor::kTypeOffset], monitor::kHeadSectorType);
  // An image that cannot be read leaves a converter with nothing answering.
  ASSERT_TRUE(link.OpenDevice("Kx47SIM1"));
  std::string reply;
  EXPECT_EQ(link.QueryCmd(SectorReadCommand(0), reply), QueryResult::kNoFrame);
  fs::remove(file);
}

TEST(SimulatedMonitorFile, EnvironmentListsOneConverterPerImage) {
  VirtualClock clock;
  SetEnvironmentValue(kSimulatedMonitorVariable,
                      std::string("/tmp/a.img") + kPathListSeparator + "/tmp/b.img");
  testing::DiagnosticsLog diagnostics;
  auto d2xx = MakeD2xxFromEnvironment(clock, diagnostics);
  SetEnvironmentValue(kSimulatedMonitorVariable, std::nullopt);
  DWORD count = 0;
  ASSERT_EQ(d2xx->FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
  EXPECT_EQ(count, 2u);
  char serial[kSerialNumberBufferSize] = {};
  d2xx->FT_ListDevices(reinterpret_cast<void*>(1), serial,
                       FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER);
  EXPECT_STREQ(serial, "Kx47SIM1");
}

TEST(SimulatedMonitorFile, ImagesThatAreNoMemoryAreNamedWithTheirReason) {
  const fs::path dir = fs::temp_directory_path() / "oxi-unusable-images";
  fs::remove_all(dir);
  fs::create_directories(dir / "folder");
  std::ofstream(dir / "empty").close();
  std::ofstream(dir / "short") << "not a whole sector";
  ImageBuilder("FILEID000001").Build().Save(dir / "good");
  VirtualClock clock;
  std::vector<std::string> problems;
  const std::vector<std::string> images = {(dir / "folder").string(), (dir / "empty").string(),
                                           (dir / "short").string(), (dir / "missing").string(),
                                           (dir / "good").string()};
  auto d2xx = MakeSimulatedD2xx(clock, images, &problems);
  ASSERT_EQ(problems.size(), 4u);
  EXPECT_EQ(problems[0], images[0] + ": not a regular file");
  EXPECT_EQ(problems[1].rfind(images[1] + ": 0 bytes: not a whole number of 256-byte sectors", 0),
            0u);
  EXPECT_EQ(problems[2].rfind(images[2] + ": 18 bytes", 0), 0u);
  EXPECT_EQ(problems[3], images[3] + ": " +
                             std::make_error_code(std::errc::no_such_file_or_directory).message());
  // Each still stands for a converter, with nothing behind the unusable ones.
  DWORD count = 0;
  ASSERT_EQ(d2xx->FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
  EXPECT_EQ(count, 5u);
  fs::remove_all(dir);
}

TEST(FtdiDivisor, LineSpeedOfTheMonitor) {
  EXPECT_EQ(FtdiBaudRateFor(0x405B), 32787);
  EXPECT_NEAR(FtdiBitsPerSecond(0x405B), 32786.9, 0.1);
  EXPECT_EQ(FtdiBaudRateFor(0x4138), 9600);
}

}  // namespace
}  // namespace oxi::testing
