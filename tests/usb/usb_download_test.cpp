// Whole downloads by oxitool, the program itself, through an emulated converter: what it
// stores is what the simulated converter gives, and a converter pulled out at any command
// leaves the monitor's memory alone and the records read before it whole. A converter the
// system keeps from the user is named with what to do about it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "app/download_view.h"
#include "device/device_test_support.h"
#include "device/download.h"
#include "platform/d2xx/monitor_image.h"
#include "platform/d2xx/simulated_d2xx.h"
#include "platform/ui/scripted_platform.h"
#include "res/texts.h"
#include "store/store_state.h"
#include "usb/emulator/child_process.h"
#include "usb/emulator/emulated_converter.h"

namespace oxi::usb {
namespace {

namespace fs = std::filesystem;
using oxi::testing::Bytes;
using oxi::testing::Head;
using oxi::testing::ImageBuilder;
using oxi::testing::Samples;
using Records = std::map<std::string, Bytes>;  // by path below the store

constexpr uid_t kNobody = 65534;
constexpr int kExecFailed = 127;

// Three measurements of one, two and three sectors: 7 commands read them all, the clock
// and the erase follow.
monitor::MonitorImage SmallMemory() {
  return ImageBuilder("USB000000001", 64)
      .Add(1, Head(24, 5, 1, 10, 0), Samples(40, 1))
      .Add(2, Head(24, 5, 2, 10, 0), Samples(60, 2))
      .Add(4, Head(24, 5, 3, 10, 0), Samples(120, 3))
      .Build();
}
constexpr std::size_t kMeasurements = 3;

// Every file of the store but the raw images, whose names carry the time of the download.
Records ReadRecords(const fs::path& root) {
  Records records;
  const fs::path store = root / "Application Data" / "StO2";
  std::error_code ec;
  for (fs::recursive_directory_iterator it(store, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file() && it->path().parent_path().filename() != "Raw") {
      records[it->path().lexically_relative(store).string()] =
          oxi::testing::ReadFileBytes(it->path());
    }
  }
  return records;
}

class UsbDownload : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() / (std::string("oxi-usb-") + info->name());
    fs::remove_all(dir);
    fs::create_directories(dir / "emulated");
    fs::create_directories(dir / "reference");
    reference = SimulatedReference();
  }
  void TearDown() override { fs::remove_all(dir); }

  // What a download through the simulated converter stores, on a virtual clock.
  Records SimulatedReference() {
    ScriptedPlatform platform;
    SimulatedD2xx simulated(platform.Virtual());
    simulated.AddConverter("Kx47REF", std::make_unique<SimulatedMonitor>(SmallMemory()));
    StoreState store;
    StartStore(store, dir / "reference", ChooseFirstDevice);
    WindowDownloadEvents events(platform);
    Download(events, simulated, store);
    return ReadRecords(dir / "reference");
  }
  EmulatedConverter PlugMonitor() {
    std::vector<std::unique_ptr<SimulatedMonitor>> monitors;
    monitors.push_back(std::make_unique<SimulatedMonitor>(SmallMemory()));
    return PlugConverter(testbed, {.serial = "Kx47USB1"}, std::move(monitors));
  }
  ChildRun Oxitool(const ChildOptions& options = {}) {
    return RunChild(
        {OXI_BINARY_DIR "/src/cli/oxitool", "download", "--root", (dir / "emulated").string()},
        options);
  }
  static std::size_t TableEntries(SimulatedMonitor& monitor) {
    return monitor::DecodeSystemSector(monitor.Image().System()).table.size();
  }

  fs::path dir;
  Records reference;
  UsbTestbed testbed;
};

TEST_F(UsbDownload, StoresWhatTheSimulatedConverterGivesAndEmptiesTheMonitor) {
  ASSERT_EQ(reference.size(), kMeasurements);
  const EmulatedConverter converter = PlugMonitor();
  const ChildRun run = Oxitool();
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadRecords(dir / "emulated"), reference);
  EXPECT_EQ(TableEntries(*converter.chip.Monitor(0)), 0u);
  const std::vector<std::string> commands = converter.chip.Commands(0);
  ASSERT_EQ(commands.size(), 9u);
  EXPECT_EQ(commands[7].substr(0, 3), "SC,");
  EXPECT_EQ(commands[8], "DE");
}

class UsbUnplug : public UsbDownload, public ::testing::WithParamInterface<int> {};

TEST_P(UsbUnplug, LeavesTheMemoryAndKeepsWhatCameWhole) {
  const int commandsAnswered = GetParam();
  const EmulatedConverter converter = PlugMonitor();
  converter.chip.UnplugAfterCommands(0, commandsAnswered);
  const ChildRun run = Oxitool();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find(texts::kCommunicationError), std::string::npos) << run.err;
  EXPECT_EQ(TableEntries(*converter.chip.Monitor(0)), kMeasurements);
  EXPECT_EQ(converter.chip.Commands(0).size(), static_cast<std::size_t>(commandsAnswered) + 1);
  // A measurement's record is whole when all its sectors came before the plug was pulled;
  // one cut short holds the beginning of the whole record.
  const int wholeMeasurements = commandsAnswered >= 7 ? 3 : commandsAnswered >= 3 ? 1 : 0;
  const Records stored = ReadRecords(dir / "emulated");
  int whole = 0;
  for (const auto& [name, bytes] : stored) {
    ASSERT_TRUE(reference.count(name)) << name;
    const Bytes& full = reference.at(name);
    ASSERT_LE(bytes.size(), full.size()) << name;
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), full.begin())) << name;
    whole += bytes == full;
  }
  EXPECT_EQ(whole, wholeMeasurements);
}

// Pulled at the system sector, at the first measurement's head, in the middle of the
// second measurement, and at the clock after every sector was read.
INSTANTIATE_TEST_SUITE_P(Pulled, UsbUnplug, ::testing::Values(0, 1, 3, 7), [](const auto& info) {
  return "After" + std::to_string(info.param) + "Commands";
});

TEST_F(UsbDownload, ConverterTheSystemKeepsFromTheUserIsNamedWithTheUdevRule) {
  const EmulatedConverter converter = PlugMonitor();
  testbed.DenyAccess(converter.node);
  // Root may open anything: oxitool runs as another user then.
  ChildOptions options;
  if (::geteuid() == 0) {
    options.user = kNobody;
    fs::permissions(dir / "emulated", fs::perms::all);
  }
  const ChildRun run = Oxitool(options);
  if (run.exitCode == kExecFailed) GTEST_SKIP() << "the other user cannot run oxitool here";
  EXPECT_EQ(run.exitCode, 1);
  // Its serial number is known without access (sysfs shows it); the open is refused.
  EXPECT_NE(run.err.find(texts::kDeviceNotOpened), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(texts::kNoAccessToDevice), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("libftdi: open on USB 001/002 (0403:6001) channel A: "), std::string::npos)
      << run.err;
  EXPECT_TRUE(converter.chip.Commands(0).empty());
}

}  // namespace
}  // namespace oxi::usb
