#include <gtest/gtest.h>

#include "export/csv_export.h"
#include "graph/test_measurement.h"

namespace oxi {
namespace {

using testing::MakeConstant;
using testing::MakeMeasurement;

std::vector<std::string> CsvLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(pos) + "<no line end>");
      break;
    }
    lines.push_back(bytes.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

// The Japanese words of the first line as the file holds them.
const std::string kMeasuringTime = "\x91\xaa\x92\xe8\x8e\x9e\x8a\xd4";
const std::string kFatThickness = "\x8e\x89\x96\x62\x8c\xfa\x82\xdd";

TEST(CsvBytes, OneHourAtOneSecond) {
  const std::string bytes = CsvBytes(MakeConstant(3600, 10, Sample{683, 120, 45, 7}));
  const std::vector<std::string> lines = CsvLines(bytes);
  ASSERT_EQ(lines.size(), 3602u);
  EXPECT_EQ(lines[0], "Date,2008-03-15 09:05," + kMeasuringTime + ",01:00:00," + kFatThickness +
                          ",5.5mm,rate,1.0sec,");
  EXPECT_EQ(lines[1], "time,HR,StO2,oxHb,dxHb,toHb,");
  EXPECT_EQ(lines[2], "00:00:00.0,120,68.3,0.045,0.007,0.052,");
  EXPECT_EQ(lines[3], "00:00:01.0,120,68.3,0.045,0.007,0.052,");
  EXPECT_EQ(lines[3601], "00:59:59.0,120,68.3,0.045,0.007,0.052,");
  // No bare LF anywhere: every line end is CR LF.
  std::size_t lf = 0;
  for (char c : bytes) lf += c == '\n';
  EXPECT_EQ(lf, 3602u);
}

TEST(CsvBytes, TimesFollowTheRate) {
  const std::vector<std::string> half =
      CsvLines(CsvBytes(MakeConstant(3, 5, Sample{500, 60, 1, 2})));
  EXPECT_NE(half[0].find(",00:00:01," + kFatThickness), std::string::npos);
  EXPECT_NE(half[0].find(",rate,0.5sec,"), std::string::npos);
  EXPECT_EQ(half[2].substr(0, 11), "00:00:00.0,");
  EXPECT_EQ(half[3].substr(0, 11), "00:00:00.5,");
  EXPECT_EQ(half[4].substr(0, 11), "00:00:01.0,");

  // A stored rate of 0 prints as such but times go in whole seconds.
  const std::vector<std::string> zero =
      CsvLines(CsvBytes(MakeConstant(2, 0, Sample{500, 60, 1, 2})));
  EXPECT_NE(zero[0].find(",00:00:02," + kFatThickness + ",5.5mm,rate,0.0sec,"), std::string::npos);
  EXPECT_EQ(zero[3].substr(0, 11), "00:00:01.0,");

  const std::vector<std::string> long_ = CsvLines(CsvBytes(MakeConstant(36001, 10, Sample{})));
  EXPECT_EQ(long_.back().substr(0, 11), "10:00:00.0,");
}

TEST(CsvBytes, ValuesAndMissingHeartRates) {
  const std::vector<Sample> samples = {
      {683, 49, 45, 7}, {683, 50, 45, 7}, {1000, 200, 255, 255}, {0, 201, 0, 0}};
  const std::vector<std::string> lines =
      CsvLines(CsvBytes(MakeMeasurement(4, 10, [&](int i) { return samples[i]; })));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[2], "00:00:00.0,---,68.3,0.045,0.007,0.052,");
  EXPECT_EQ(lines[3], "00:00:01.0,50,68.3,0.045,0.007,0.052,");
  EXPECT_EQ(lines[4], "00:00:02.0,200,100.0,0.255,0.255,0.510,");
  EXPECT_EQ(lines[5], "00:00:03.0,---,0.0,0.000,0.000,0.000,");
}

TEST(CsvBytes, InvalidSamplesRepeatTheLastValidStO2) {
  const std::vector<Sample> samples = {{-1, 80, 9, 9},  {-32768, 49, 9, 9}, {683, 80, 45, 7},
                                       {-1, 80, 45, 7}, {-5, 201, 45, 7},   {700, 80, 1, 1},
                                       {-1, 80, 1, 1}};
  const std::vector<std::string> lines =
      CsvLines(CsvBytes(MakeMeasurement(7, 10, [&](int i) { return samples[i]; })));
  ASSERT_EQ(lines.size(), 9u);
  // Before any valid sample there is nothing to repeat.
  EXPECT_EQ(lines[2], "00:00:00.0,80,---,---,---,---,");
  EXPECT_EQ(lines[3], "00:00:01.0,---,---,---,---,---,");
  EXPECT_EQ(lines[4], "00:00:02.0,80,68.3,0.045,0.007,0.052,");
  EXPECT_EQ(lines[5], "00:00:03.0,80,68.3,---,---,---,");
  EXPECT_EQ(lines[6], "00:00:04.0,---,68.3,---,---,---,");
  EXPECT_EQ(lines[8], "00:00:06.0,80,70.0,---,---,---,");
}

TEST(CsvBytes, EmptyMeasurementHasOnlyTheHeader) {
  CurrentMeasurement m = MakeConstant(0, 10, Sample{});
  EXPECT_EQ(CsvBytes(m), "Date,2008-03-15 09:05," + kMeasuringTime + ",00:00:00," + kFatThickness +
                             ",5.5mm,rate,1.0sec,\r\ntime,HR,StO2,oxHb,dxHb,toHb,\r\n");
  // A count larger than the arrays never reads past them.
  m.n = 1 << 20;
  EXPECT_EQ(CsvLines(CsvBytes(m)).size(), 2u + m.sto2.size());
}

}  // namespace
}  // namespace oxi
