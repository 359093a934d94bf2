// The demo monitor's memory: shaped like real exercise, dated this month, and downloaded
// whole.
#include "device/demo_monitor.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "device_test_support.h"

namespace oxi::testing {
namespace {

using namespace monitor;

const LocalTime kToday{2026, 12, 8, 18, 0, 0};

struct Measurement {
  HeadSector head;
  std::vector<MonitorSample> samples;
};

// Reads the measurements back out of the memory, as the monitor lists them.
std::vector<Measurement> Measurements(const MonitorImage& image) {
  std::vector<Measurement> out;
  const SystemSector system = DecodeSystemSector(image.System());
  for (const DataTableEntry& entry : system.table) {
    Measurement m;
    m.head = DecodeHeadSector(image.Sector(entry.firstSector));
    for (int k = 0; k < SectorsFor(entry.sampleCount); ++k) {
      const SectorBytes& sector = image.Sector(RingSector(entry.firstSector + k, system.ringSize));
      for (int slot = 0; slot < SampleSlots(k) && m.samples.size() < entry.sampleCount; ++slot) {
        m.samples.push_back(ReadSample(sector, SampleSlotOffset(k) + slot * kSampleBytes));
      }
    }
    out.push_back(m);
  }
  return out;
}

TEST(DemoMonitor, SixMeasurementsOfExerciseThisMonth) {
  const MonitorImage image = MakeDemoMonitor({}, kToday);
  const SystemSector system = DecodeSystemSector(image.System());
  EXPECT_EQ(system.deviceId, "DEMO00000001");
  EXPECT_TRUE(IsSafeDeviceId(system.deviceId));
  EXPECT_EQ(system.ringSize, 1000);
  ASSERT_EQ(system.table.size(), 6u);
  int sectors = 0;
  for (const DataTableEntry& e : system.table) sectors += SectorsFor(e.sampleCount);
  EXPECT_GE(sectors, 90);
  EXPECT_LE(sectors, 110);
  int previousStart = 0;
  int invalid = 0;
  for (const Measurement& m : Measurements(image)) {
    EXPECT_EQ(m.head.bcdStart[0], 0x26);
    EXPECT_EQ(m.head.bcdStart[1], 0x12);
    const int day = BcdToInt(m.head.bcdStart[2]);
    EXPECT_GE(day, 1);
    EXPECT_LE(day, 8);
    const int start =
        day * 10000 + BcdToInt(m.head.bcdStart[3]) * 100 + BcdToInt(m.head.bcdStart[4]);
    EXPECT_GE(start, previousStart);
    previousStart = start;
    // Rest first, then work: StO2 falls by more than 10 points and HR climbs past 140.
    const auto sto2 = [&](std::size_t i) { return m.samples[i].sto2 & ~kInvalidSampleBit; };
    int lowest = 1000, highestHr = 0;
    for (std::size_t i = 0; i < m.samples.size(); ++i) {
      if (m.samples[i].sto2 & kInvalidSampleBit) ++invalid;
      lowest = std::min(lowest, static_cast<int>(sto2(i)));
      highestHr = std::max(highestHr, static_cast<int>(m.samples[i].hr));
    }
    EXPECT_GT(sto2(60), lowest + 100);
    EXPECT_LT(m.samples[60].hr, 90);
    EXPECT_GT(highestHr, 140);
    EXPECT_EQ(m.head.maxHeartRate, highestHr);
  }
  EXPECT_GT(invalid, 0);
}

TEST(DemoMonitor, SeedDecides) {
  const auto a = MakeDemoMonitor({6, 7}, kToday);
  const auto b = MakeDemoMonitor({6, 7}, kToday);
  const auto c = MakeDemoMonitor({6, 8}, kToday);
  EXPECT_EQ(a.Sector(1), b.Sector(1));
  EXPECT_NE(a.Sector(1), c.Sector(1));
}

using DemoDownload = DownloadTest;

TEST_F(DemoDownload, EveryMeasurementIsStoredAndTheMemoryErased) {
  platform.now = kToday;
  shownYear = 26;
  shownMonth = 12;
  const MonitorImage image = MakeDemoMonitor({}, kToday);
  Plug(image);
  const DownloadResult result = Run();
  EXPECT_TRUE(result.AllReadAndErased());
  ASSERT_EQ(Records("DEMO00000001").size(), 6u);
  const auto measurements = Measurements(image);
  for (std::size_t i = 0; i < measurements.size(); ++i) {
    const Bytes record = ReadFileBytes(result.Records()[i]);
    EXPECT_EQ(record.size(), 29 + 5 * measurements[i].samples.size());
  }
  EXPECT_EQ(store.currentDeviceId, "DEMO00000001");
  EXPECT_GE(days.count(), 1u);
}

}  // namespace
}  // namespace oxi::testing
