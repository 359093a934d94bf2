// The monitor's sectors decoded from bytes placed here by hand, one by one, where the
// monitor's memory layout puts them; nothing is laid out by the program's own encoder or
// offset names, so a wrong offset or byte order in the decoding shows.
#include "monitor/sectors.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace oxi::monitor {
namespace {

using Run = std::pair<int, std::vector<std::uint8_t>>;  // offset, bytes from there

// A sector reply as it comes over the line: eight characters of lead, then every byte as
// two upper-case hexadecimal digits. Bytes no run names hold 0xEE, which no field read
// from them would give.
std::string Reply(const std::vector<Run>& runs) {
  std::vector<std::uint8_t> bytes(256, 0xEE);
  for (const auto& [at, run] : runs) {
    for (std::size_t i = 0; i < run.size(); ++i) bytes[at + i] = run[i];
  }
  std::string text = "SR,0000,";
  for (std::uint8_t b : bytes) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", b);
    text += digits;
  }
  return text;
}

TEST(SectorLayout, HandWrittenSystemHeadAndContinuationSectors) {
  const auto system = DecodeSectorReplyText(Reply({
      {0, {0x00}},
      {1, {'A', 'B', '1', '2', 'C', 'D', '3', '4', 'E', 'F', '5', '6'}},
      {30, {0x03, 0xE8}},                                       // ring size 1000
      {128, {0x01, 0x23, 0x00, 0x34, 0xFF, 0xFF, 0x00, 0x00}},  // sector 291, 52 samples; end
  }));
  const auto head = DecodeSectorReplyText(Reply({
      {0, {0x01, 0x08, 0x03, 0x15, 0x09, 0x05}},  // 2008-03-15 09:05 in BCD
      {6, {0xA1, 0xA2, 0xA3, 45, 5, 0x02, 0x91, 0xB4, 171, 3}},
      {16, {0x02, 0xBC, 72, 100, 60}},          // first sample: StO2 70.0 %
      {16 + 47 * 5, {0x80, 0x10, 80, 81, 82}},  // 48th: invalid, StO2 1.6 %
  }));
  const auto continuation = DecodeSectorReplyText(Reply({
      {0, {0x02}},
      {1, {0x01, 0x2C, 90, 10, 20}},    // StO2 30.0 %
      {16, {0x03, 0x20, 100, 30, 40}},  // the fourth: StO2 80.0 %
  }));
  ASSERT_TRUE(system && head && continuation);

  EXPECT_EQ((*system)[0], 0x00);
  const SystemSector s = DecodeSystemSector(*system);
  EXPECT_EQ(s.deviceId, "AB12CD34EF56");
  EXPECT_EQ(s.ringSize, 1000);
  EXPECT_EQ(s.table, (std::vector<DataTableEntry>{{291, 52}}));
  EXPECT_EQ(SectorsFor(52), 2);

  EXPECT_EQ((*head)[0], 0x01);
  const HeadSector h = DecodeHeadSector(*head);
  EXPECT_EQ(h.bcdStart, (std::array<std::uint8_t, 5>{0x08, 0x03, 0x15, 0x09, 0x05}));
  EXPECT_EQ(BcdToInt(h.bcdStart[2]), 15);
  EXPECT_EQ(h.reserved, (std::array<std::uint8_t, 3>{0xA1, 0xA2, 0xA3}));
  EXPECT_EQ(h.fatThickness, 45);
  EXPECT_EQ(h.rate, 5);
  EXPECT_EQ(h.sto2Average, 657);
  EXPECT_EQ(h.reserved4, 0xB4);
  EXPECT_EQ(h.maxHeartRate, 171);
  EXPECT_EQ(h.currentSetting, 3);
  EXPECT_EQ(ReadSampleSlot(*head, 0, 0), (MonitorSample{700, 72, 100, 60}));
  EXPECT_EQ(ReadSampleSlot(*head, 0, 47), (MonitorSample{0x8010, 80, 81, 82}));

  EXPECT_EQ((*continuation)[0], 0x02);
  EXPECT_EQ(ReadSampleSlot(*continuation, 1, 0), (MonitorSample{300, 90, 10, 20}));
  EXPECT_EQ(ReadSampleSlot(*continuation, 1, 3), (MonitorSample{800, 100, 30, 40}));
}

}  // namespace
}  // namespace oxi::monitor
