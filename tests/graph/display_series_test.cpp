// The graph's pixel rows: where a value lands, the rows of a record just loaded, and the
// averaged rows.
#include "graph/display_series.h"

#include <gtest/gtest.h>

#include "store/load_record.h"
#include "store/store_test_util.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

TEST(DisplayRow, EdgeValuesStayStrictlyInsideThePlot) {
  EXPECT_EQ(DisplayRow(1000, kSto2FullScale, kUpperPlotBase), 26);
  EXPECT_EQ(DisplayRow(0, kSto2FullScale, kUpperPlotBase), 324);
  EXPECT_EQ(DisplayRow(-1, kSto2FullScale, kUpperPlotBase), 324);
  EXPECT_EQ(DisplayRow(-32768, kSto2FullScale, kUpperPlotBase), 324);
  EXPECT_EQ(DisplayRow(1001, kSto2FullScale, kUpperPlotBase), 26);
  EXPECT_EQ(DisplayRow(32767, kSto2FullScale, kUpperPlotBase), 26);
  EXPECT_EQ(DisplayRow(201, kHbFullScale, kLowerPlotBase), 336);
  EXPECT_EQ(DisplayRow(510, kHbFullScale, kLowerPlotBase), 336);
  // Product before division: 683 * 300 / 1000 = 204, not 683 / 1000 * 300 = 0.
  EXPECT_EQ(DisplayRow(683, kSto2FullScale, kUpperPlotBase), 25 + 96);
  EXPECT_EQ(DisplayRow(1, kHbFullScale, kLowerPlotBase), 335 + 299);
  EXPECT_EQ(DisplayRow(100, kHrFullScale, kUpperPlotBase), 25 + 150);
}

TEST(DisplaySeries, UnaveragedUsesEverySamplesOwnBytes) {
  CurrentMeasurement m;
  DisplaySeries s;
  m.n = 3;
  m.sto2[0] = 1000, m.hr[0] = 200, m.oxhb[0] = 150, m.dxhb[0] = 100;
  m.sto2[1] = -1, m.hr[1] = 50, m.oxhb[1] = 20, m.dxhb[1] = 10;
  m.sto2[2] = 500, m.hr[2] = 0, m.oxhb[2] = 0, m.dxhb[2] = 0;
  ComputeDisplaySeriesUnaveraged(m, s);
  EXPECT_EQ(s.rows[kStO2Rows][0], 26);
  EXPECT_EQ(s.rows[kHrRows][0], 26);
  EXPECT_EQ(s.rows[kToHbRows][0], 336);  // 250 is above full scale
  EXPECT_EQ(s.rows[kStO2Rows][1], 324);  // invalid: no carry here
  EXPECT_EQ(s.rows[kOxHbRows][1], 335 + 270);
  EXPECT_EQ(s.rows[kDxHbRows][1], 335 + 285);
  EXPECT_EQ(s.rows[kToHbRows][1], 335 + 255);
  EXPECT_EQ(s.rows[kStO2Rows][2], 25 + 150);
  EXPECT_EQ(s.rows[kHrRows][2], 324);
}

// The rows of records loaded from files: the samples' own values, arrays that grow with
// the measurement and never shrink, and nothing changed by a load without samples.
TEST(DisplaySeries, RowsOfLoadedRecordsGrowWithThemAndOnlyWithThem) {
  testing::TempFolder tmp;
  const auto load = [&](const std::string& name, const std::string& bytes, CurrentMeasurement& m) {
    testing::WriteBytes(tmp.Path() / name, bytes);
    return LoadRecordFile(tmp.Path() / name, m);
  };
  const RecordHeader h = testing::MakeHeader(testing::kTestDeviceId, 8, 3, 15, 9, 5);
  CurrentMeasurement m;
  DisplaySeries s;
  for (const auto& rows : s.rows) EXPECT_EQ(rows.size(), 3600u);  // room for an hour
  ASSERT_EQ(load("a.oxi", testing::RecordBytes(h, 3600), m), "");
  ComputeDisplaySeriesUnaveraged(m, s);
  EXPECT_EQ(s.rows[kStO2Rows][3], 324);  // sample 3 is invalid: its own value, no carry
  EXPECT_EQ(s.rows[kToHbRows][1], DisplayRow(1 + 3, kHbFullScale, kLowerPlotBase));

  const auto before = s.rows;
  CurrentMeasurement headerOnly;
  ASSERT_EQ(load("b.oxi", testing::RecordBytes(h, 0), headerOnly), "");
  ComputeDisplaySeriesUnaveraged(headerOnly, s);
  EXPECT_EQ(s.rows, before);

  ASSERT_EQ(load("c.oxi", testing::RecordBytes(h, 3601), m), "");
  ComputeDisplaySeriesUnaveraged(m, s);
  for (const auto& rows : s.rows) EXPECT_GE(rows.size(), 3601u);

  // The largest record allowed; its samples are the sparse file's zeros.
  testing::WriteBytes(tmp.Path() / "d.oxi", testing::RecordBytes(h, 0));
  fs::resize_file(tmp.Path() / "d.oxi", kRecordHeaderSize + kSampleSize * 1'000'000L);
  ASSERT_EQ(LoadRecordFile(tmp.Path() / "d.oxi", m), "");
  ComputeDisplaySeriesUnaveraged(m, s);
  EXPECT_EQ(s.rows[kStO2Rows][999'999], 324);
  s.EnsureCapacity(10);
  EXPECT_EQ(s.rows[kHrRows].size(), 1'000'000u);
}

TEST(DisplaySeries, WindowOfOneDiffersFromUnaveragedOnlyAtInvalidSamples) {
  std::mt19937 rng(7);
  CurrentMeasurement m;
  DisplaySeries s;
  testing::FillRandom(m, 2000, rng);
  ComputeDisplaySeriesUnaveraged(m, s);
  const auto unaveraged = s.rows;
  ComputeDisplaySeriesAveraged(m, 1, s);
  int invalidDiffering = 0;
  for (int i = 0; i < m.n; ++i) {
    EXPECT_EQ(s.rows[kHrRows][i], unaveraged[kHrRows][i]);
    if (m.Valid(i)) {
      for (int k = 0; k < kSeriesCount; ++k) ASSERT_EQ(s.rows[k][i], unaveraged[k][i]) << i;
    } else if (s.rows[kStO2Rows][i] != unaveraged[kStO2Rows][i]) {
      ++invalidDiffering;
    }
  }
  EXPECT_GT(invalidDiffering, 0);
}

TEST(DisplaySeries, AveragedRowsFollowTheAveragesAndNothingHappensWithoutSamples) {
  CurrentMeasurement m;
  DisplaySeries s;
  s.rows[kStO2Rows][0] = 1234;
  ComputeDisplaySeriesAveraged(m, 5, s);
  EXPECT_EQ(s.rows[kStO2Rows][0], 1234);

  m.n = 4;
  const std::int16_t sto2[] = {1000, 0, 1000, 0};
  for (int i = 0; i < 4; ++i) m.sto2[i] = sto2[i], m.hr[i] = 100, m.oxhb[i] = 200, m.dxhb[i] = 0;
  ComputeDisplaySeriesAveraged(m, 2, s);  // windows {0}, {0,1}, {1,2}, {2,3}
  EXPECT_EQ(s.rows[kStO2Rows][0], 26);
  EXPECT_EQ(s.rows[kStO2Rows][1], 25 + 150);
  EXPECT_EQ(s.rows[kHrRows][3], 25 + 150);
  EXPECT_EQ(s.rows[kToHbRows][2], 336);
}

}  // namespace
}  // namespace oxi
