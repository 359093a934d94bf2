#pragma once
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "device/download.h"
#include "platform/d2xx/monitor_image.h"
#include "platform/d2xx/simulated_d2xx.h"
#include "platform/ui/scripted_platform.h"
#include "store/store_state.h"

namespace oxi::testing {

using Bytes = std::vector<std::uint8_t>;

// A head sector starting at 20yy-mm-dd hh:mi (given as plain numbers), with settings
// that differ from one another so a swapped field shows.
monitor::HeadSector Head(int yy, int mm, int dd, int hh, int mi);
// `n` samples whose values differ from sample to sample (`seed` makes them differ between
// measurements); every seventh is marked invalid.
std::vector<monitor::MonitorSample> Samples(int n, int seed = 0);

// The bytes a record file must hold, stated field by field on their own here: the ID,
// the start time as plain numbers, the settings, the announced count, then the samples
// little-endian with the invalid bit as the sign bit.
Bytes ExpectedRecord(const std::string& id, int yy, int mm, int dd, int hh, int mi,
                     const monitor::HeadSector& head,
                     const std::vector<monitor::MonitorSample>& samples, int announced);

Bytes ReadFileBytes(const std::filesystem::path& file);

// A monitor memory with the ID and ring size given and the measurements added one by one.
class ImageBuilder {
 public:
  explicit ImageBuilder(std::string id = "OXI000000001", int ringSize = 1000);
  // Adds a data table entry for a measurement written from `first` on.
  ImageBuilder& Add(int first, const monitor::HeadSector& head,
                    const std::vector<monitor::MonitorSample>& samples);
  // Adds the entry only (the caller writes the sectors).
  ImageBuilder& AddEntry(int first, int sampleCount);
  monitor::MonitorImage Build() const { return image_; }

 private:
  monitor::MonitorImage image_;
  int entries_ = 0;
};

// A store in a fresh temporary folder, a scripted window system on a virtual clock and
// simulated converters on the same clock.
class DownloadTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  SimulatedConverter& Plug(monitor::MonitorImage image, const std::string& serial = "Kx47A001");
  monitor::MonitorImage& Memory(int converter) {
    return d2xx.Converter(converter).monitor->Image();
  }
  DownloadResult Run();
  // The month scanned after a download, as the window scans the month it shows.
  void ScanShownMonth() { days = ScanMonth(store, shownYear, shownMonth); }
  std::filesystem::path Folder(const std::string& id) const { return DeviceFolder(store, id); }
  // The record files of a device folder, sorted.
  std::vector<std::string> Records(const std::string& id) const;
  // The sector-read commands a converter received, as "SR,XXXX" texts.
  std::vector<std::string> SectorReads(int converter);
  bool ReceivedCommand(int converter, const std::string& prefix);
  static bool Erased(const monitor::MonitorImage& image);
  std::vector<ScriptedPlatform::Box> Boxes() const { return platform.MessageBoxes(); }

  std::filesystem::path dir;
  ScriptedPlatform platform;
  SimulatedD2xx d2xx{platform.Virtual()};
  StoreState store;
  // The days of the shown month with records, as scanned once a download read a device.
  DaysWithRecords days;
  int shownYear = 8;
  int shownMonth = 3;
};

// The monitor most download tests read: device kTwoId with measurement A (100 samples in
// sectors 1..3) and B (30 samples in sector 4).
inline const std::string kTwoId = "OXI000000001";

class TwoMeasurementTest : public DownloadTest {
 protected:
  void SetUp() override;
  // The record files of A (its first `samples` samples) and B.
  Bytes RecordA(int samples) const;
  Bytes RecordB() const;
  // A download from a monitor of its own holding `memory`, with the faults on its line;
  // `memory` becomes what the monitor holds afterwards, for the next download.
  DownloadResult Again(monitor::MonitorImage& memory, std::vector<SimulatedFault> faults = {});
  // The texts of the message boxes so far.
  std::vector<std::string> Texts() const;
  static std::string NotErasedText(int incomplete);

  const std::vector<monitor::MonitorSample> a = Samples(100, 1);
  const std::vector<monitor::MonitorSample> b = Samples(30, 2);
  monitor::MonitorImage image{1};  // A and B
};

}  // namespace oxi::testing
