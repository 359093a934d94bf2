// The pieces of the open formats that no outside reader checks: the FIT CRC and header,
// export file names, which values count as missing, the UTF-8 CSV's exact text and the
// records no format can take. The files themselves are read by real readers in
// tests/scripts/oxitool_export.sh.
#include <gtest/gtest.h>

#include "export/csv_utf8.h"
#include "export/export_name.h"
#include "export/fit_encoder.h"
#include "export/open_format.h"
#include "graph/test_measurement.h"
#include "platform/ui/local_time.h"

namespace oxi {
namespace {

using testing::MakeConstant;
using testing::MakeMeasurement;
using namespace std::string_literals;

TEST(FitEncoder, CrcAndHeaderAsTheProtocolDefinesThem) {
  EXPECT_EQ(fit::Crc("123456789"), 0xBB3D);  // the CRC-16 check value
  fit::Encoder e;
  e.Define(0, fit::kRecordMessage, {{fit::record::kHeartRate, 1, fit::BaseType::kUint8}});
  e.Message(0).U8(120);
  const std::string file = e.Finish();
  const std::string data = "\x40\x00\x00\x14\x00\x01\x03\x01\x02\x00\x78"s;
  ASSERT_EQ(file.size(), fit::kHeaderSize + data.size() + fit::kCrcSize);
  EXPECT_EQ(file.substr(0, 12), "\x0e\x20\x5c\x08\x0b\x00\x00\x00.FIT"s);
  EXPECT_EQ(file.substr(fit::kHeaderSize, data.size()), data);
  // A CRC run over what it protects and the CRC itself comes out 0.
  EXPECT_EQ(fit::Crc(file.substr(0, fit::kHeaderSize)), 0);
  EXPECT_EQ(fit::Crc(file), 0);
}

TEST(ExportFileStem, AddsOnlyTheSameMinuteLetter) {
  const std::string title = "2026_0315_0905";
  const std::pair<const char*, const char*> cases[] = {
      {"2603150905.oxi", "2026_0315_0905"},   {"2603150905b.oxi", "2026_0315_0905b"},
      {"2603150905z.OXI", "2026_0315_0905z"}, {"2603150905B.oxi", "2026_0315_0905"},
      {"2603150905bc.oxi", "2026_0315_0905"}, {"x603150905b.oxi", "2026_0315_0905"},
      {"2603150905b.csv", "2026_0315_0905"},  {"", "2026_0315_0905"},
  };
  for (const auto& [name, stem] : cases) EXPECT_EQ(ExportFileStem(name, title), stem) << name;
}

TEST(SampleValues, MissingWhereTheProgramShowsNone) {
  const Sample samples[] = {{683, 49, 45, 7}, {683, 50, 255, 255}, {-1, 200, 9, 9}, {0, 201, 0, 0}};
  const CurrentMeasurement m = MakeMeasurement(4, 10, [&](int i) { return samples[i]; });
  const SampleValues v0 = ValuesOf(m, 0), v1 = ValuesOf(m, 1), v2 = ValuesOf(m, 2),
                     v3 = ValuesOf(m, 3);
  EXPECT_EQ(v0.heartRate, std::nullopt);
  EXPECT_EQ(v0.sto2, 683);
  EXPECT_EQ(v0.tohb, 52);
  EXPECT_EQ(v1.heartRate, 50);
  EXPECT_EQ(v1.tohb, 510);
  EXPECT_EQ(v2.heartRate, 200);
  EXPECT_EQ(v2.sto2, std::nullopt);
  EXPECT_EQ(v2.oxhb, std::nullopt);
  EXPECT_EQ(v2.dxhb, std::nullopt);
  EXPECT_EQ(v2.tohb, std::nullopt);
  EXPECT_EQ(v3.heartRate, std::nullopt);
  EXPECT_EQ(v3.sto2, 0);
}

TEST(CsvUtf8Bytes, HeaderUnitsLocalTimesAndEmptyCells) {
  // Every 10 s from 23:59:40 on New Year's Eve, over midnight into the new year.
  const Sample samples[] = {{683, 120, 45, 7}, {-1, 49, 1, 1}, {1000, 200, 255, 255}};
  const CurrentMeasurement m = MakeMeasurement(3, 100, [&](int i) { return samples[i]; });
  const std::optional<std::int64_t> utc = UtcSecondsOfLocal({2008, 12, 31, 23, 59, 40});
  ASSERT_TRUE(utc);
  const MeasurementStart start{{2008, 12, 31, 23, 59, 40}, *utc};
  const std::string expected =
      "time_s,elapsed,local_time,sto2_percent,heart_rate_bpm,oxhb_mM,dxhb_mM,tohb_mM\n"
      "0.0,00:00:00.0,2008-12-31T23:59:40.0,68.3,120,0.045,0.007,0.052\n"
      "10.0,00:00:10.0,2008-12-31T23:59:50.0,,,,,\n"
      "20.0,00:00:20.0,2009-01-01T00:00:00.0,100.0,200,0.255,0.255,0.510\n";
  EXPECT_EQ(CsvUtf8Bytes(m, start, false), expected);
  EXPECT_EQ(CsvUtf8Bytes(m, start, true), "\xEF\xBB\xBF" + expected);
}

TEST(OpenFormatBytes, RefusesWhatNoFormatCanHold) {
  CurrentMeasurement badDate = MakeConstant(3, 10, Sample{683, 120, 45, 7});
  badDate.month = 13;
  // 2127: past FIT's clock, and a year no title can name.
  CurrentMeasurement badYear = MakeConstant(3, 10, Sample{683, 120, 45, 7});
  badYear.year = 127;
  const CurrentMeasurement empty = MakeConstant(0, 10, Sample{});
  const CurrentMeasurement good = MakeConstant(3, 0, Sample{683, 120, 45, 7});
  for (const OpenFormatInfo& info : OpenFormats()) {
    if (!Supported(info.format)) continue;
    EXPECT_FALSE(OpenFormatBytes(info.format, badDate, {}).bytes) << info.name;
    EXPECT_FALSE(OpenFormatBytes(info.format, badYear, {}).bytes) << info.name;
    EXPECT_FALSE(OpenFormatBytes(info.format, empty, {}).bytes) << info.name;
    const ExportedBytes made = OpenFormatBytes(info.format, good, {});
    EXPECT_TRUE(made.bytes && !made.bytes->empty()) << info.name << ": " << made.error;
  }
  EXPECT_EQ(ParseOpenFormat("snirf"), OpenFormat::kSnirf);
  EXPECT_EQ(ParseOpenFormat("gpx"), std::nullopt);
}

}  // namespace
}  // namespace oxi
