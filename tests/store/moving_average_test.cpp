#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "store/current_measurement.h"

namespace oxi {
namespace {

// The window-by-window walk as the averaging is defined: carried values seeded from the
// sample before each window, every window summed afresh. Slow on purpose; it is the oracle
// the fast computation must match exactly.
MovingAverages ReferenceAverages(const CurrentMeasurement& m, int w) {
  MovingAverages a;
  const int n = m.n;
  for (auto* v : {&a.sto2, &a.hr, &a.oxhb, &a.dxhb, &a.tohb}) v->assign(n, 0);
  int carriedSto2 = 0, carriedOx = 0, carriedDx = 0, carriedTo = 0;
  for (int i = 0; i < n; ++i) {
    const int h = w / 2;
    const int lo = std::max(i - h, 0);
    const int hi = std::min(w % 2 == 0 ? i + h : i + h + 1, n);
    const int c = std::max(hi - lo, 1);
    const int seed = lo > 0 ? lo - 1 : 0;
    if (m.sto2[seed] >= 0) {
      carriedSto2 = m.sto2[seed];
      carriedOx = m.oxhb[seed];
      carriedDx = m.dxhb[seed];
      carriedTo = m.oxhb[seed] + m.dxhb[seed];
    }
    long sumSto2 = 0, sumHr = 0, sumOx = 0, sumDx = 0, sumTo = 0;
    int lastSto2 = carriedSto2, lastOx = carriedOx, lastDx = carriedDx, lastTo = carriedTo;
    for (int j = lo; j < hi; ++j) {
      if (m.sto2[j] >= 0) {
        lastSto2 = m.sto2[j];
        lastOx = m.oxhb[j];
        lastDx = m.dxhb[j];
        lastTo = m.oxhb[j] + m.dxhb[j];
      }
      sumSto2 += lastSto2;
      sumOx += lastOx;
      sumDx += lastDx;
      sumTo += lastTo;
      sumHr += m.hr[j];
    }
    a.sto2[i] = static_cast<int>(sumSto2 / c);
    a.hr[i] = static_cast<int>(sumHr / c);
    a.oxhb[i] = static_cast<int>(sumOx / c);
    a.dxhb[i] = static_cast<int>(sumDx / c);
    a.tohb[i] = static_cast<int>(sumTo / c);
  }
  return a;
}

// Random samples with runs of invalid ones, including at the very start and end.
void FillRandom(CurrentMeasurement& m, int n, std::mt19937& rng) {
  m.EnsureCapacity(n);
  m.n = n;
  std::uniform_int_distribution<int> sto2(0, 1200), byte(0, 255), runLength(1, 12), coin(0, 5);
  for (int i = 0; i < n;) {
    const bool invalidRun = coin(rng) == 0;
    for (int k = runLength(rng); k > 0 && i < n; --k, ++i) {
      m.sto2[i] = static_cast<std::int16_t>(invalidRun ? -1 - byte(rng) * 100 : sto2(rng));
      m.hr[i] = static_cast<std::uint8_t>(byte(rng));
      m.oxhb[i] = static_cast<std::uint8_t>(byte(rng));
      m.dxhb[i] = static_cast<std::uint8_t>(byte(rng));
    }
  }
}

void ExpectSame(const MovingAverages& got, const MovingAverages& want, int n, int w) {
  for (int i = 0; i < n; ++i) {
    ASSERT_EQ(got.sto2[i], want.sto2[i]) << "StO2 n=" << n << " W=" << w << " i=" << i;
    ASSERT_EQ(got.hr[i], want.hr[i]) << "HR n=" << n << " W=" << w << " i=" << i;
    ASSERT_EQ(got.oxhb[i], want.oxhb[i]) << "oxHb n=" << n << " W=" << w << " i=" << i;
    ASSERT_EQ(got.dxhb[i], want.dxhb[i]) << "dxHb n=" << n << " W=" << w << " i=" << i;
    ASSERT_EQ(got.tohb[i], want.tohb[i]) << "toHb n=" << n << " W=" << w << " i=" << i;
  }
}

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
  m.n = 3;
  m.sto2[0] = 1000, m.hr[0] = 200, m.oxhb[0] = 150, m.dxhb[0] = 100;
  m.sto2[1] = -1, m.hr[1] = 50, m.oxhb[1] = 20, m.dxhb[1] = 10;
  m.sto2[2] = 500, m.hr[2] = 0, m.oxhb[2] = 0, m.dxhb[2] = 0;
  ComputeDisplaySeriesUnaveraged(m);
  EXPECT_EQ(m.rows[kStO2Rows][0], 26);
  EXPECT_EQ(m.rows[kHrRows][0], 26);
  EXPECT_EQ(m.rows[kToHbRows][0], 336);  // 250 is above full scale
  EXPECT_EQ(m.rows[kStO2Rows][1], 324);  // invalid: no carry here
  EXPECT_EQ(m.rows[kOxHbRows][1], 335 + 270);
  EXPECT_EQ(m.rows[kDxHbRows][1], 335 + 285);
  EXPECT_EQ(m.rows[kToHbRows][1], 335 + 255);
  EXPECT_EQ(m.rows[kStO2Rows][2], 25 + 150);
  EXPECT_EQ(m.rows[kHrRows][2], 324);
}

TEST(MovingAverages, MatchTheWindowWalkOnRandomRecords) {
  std::mt19937 rng(20080315);
  CurrentMeasurement m;
  for (int n : {0, 1, 2, 3, 7, 50, 99, 100, 101, 257, 1000, 3001}) {
    FillRandom(m, n, rng);
    for (int w = 1; w <= 100; w += (n > 1000 ? 7 : 1)) {
      ExpectSame(ComputeMovingAverages(m, w), ReferenceAverages(m, w), n, w);
    }
    ExpectSame(ComputeMovingAverages(m, 100), ReferenceAverages(m, 100), n, 100);
  }
}

TEST(MovingAverages, AllInvalidAndLeadingInvalidRunsCarryZeroThenTheLastValid) {
  CurrentMeasurement m;
  m.n = 6;
  const std::int16_t sto2[] = {-5, -5, 800, -1, -1, 600};
  for (int i = 0; i < m.n; ++i) {
    m.sto2[i] = sto2[i];
    m.hr[i] = 60;
    m.oxhb[i] = static_cast<std::uint8_t>(10 * (i + 1));
    m.dxhb[i] = 5;
  }
  for (int w : {1, 2, 3, 4, 5, 6, 7, 100})
    ExpectSame(ComputeMovingAverages(m, w), ReferenceAverages(m, w), 6, w);
  const MovingAverages one = ComputeMovingAverages(m, 1);
  EXPECT_EQ(one.sto2[0], 0);
  EXPECT_EQ(one.sto2[4], 800);
  EXPECT_EQ(one.oxhb[4], 30);
  EXPECT_EQ(one.tohb[3], 35);
  EXPECT_EQ(one.hr[3], 60);
}

TEST(MovingAverages, WindowsWiderThanAnyInputKeepExactSums) {
  CurrentMeasurement m;
  m.EnsureCapacity(70'000);
  m.n = 70'000;
  for (int i = 0; i < m.n; ++i) m.sto2[i] = 32767, m.hr[i] = 255, m.oxhb[i] = 255, m.dxhb[i] = 255;
  m.sto2[69'999] = -1;
  for (int w : {65'535, 65'536, 200'000}) {
    const MovingAverages a = ComputeMovingAverages(m, w);
    for (int i : {0, 1'000, 35'000, 69'999}) {
      EXPECT_EQ(a.sto2[i], 32767) << w << " " << i;
      EXPECT_EQ(a.tohb[i], 510) << w << " " << i;
    }
  }
}

TEST(DisplaySeries, WindowOfOneDiffersFromUnaveragedOnlyAtInvalidSamples) {
  std::mt19937 rng(7);
  CurrentMeasurement m;
  FillRandom(m, 2000, rng);
  ComputeDisplaySeriesUnaveraged(m);
  const auto unaveraged = m.rows;
  ComputeDisplaySeriesAveraged(m, 1);
  int invalidDiffering = 0;
  for (int i = 0; i < m.n; ++i) {
    EXPECT_EQ(m.rows[kHrRows][i], unaveraged[kHrRows][i]);
    if (m.Valid(i)) {
      for (int s = 0; s < kSeriesCount; ++s) ASSERT_EQ(m.rows[s][i], unaveraged[s][i]) << i;
    } else if (m.rows[kStO2Rows][i] != unaveraged[kStO2Rows][i]) {
      ++invalidDiffering;
    }
  }
  EXPECT_GT(invalidDiffering, 0);
}

TEST(DisplaySeries, AveragedRowsFollowTheAveragesAndNothingHappensWithoutSamples) {
  CurrentMeasurement m;
  m.rows[kStO2Rows][0] = 1234;
  ComputeDisplaySeriesAveraged(m, 5);
  EXPECT_EQ(m.rows[kStO2Rows][0], 1234);

  m.n = 4;
  const std::int16_t sto2[] = {1000, 0, 1000, 0};
  for (int i = 0; i < 4; ++i) m.sto2[i] = sto2[i], m.hr[i] = 100, m.oxhb[i] = 200, m.dxhb[i] = 0;
  ComputeDisplaySeriesAveraged(m, 2);  // windows {0}, {0,1}, {1,2}, {2,3}
  EXPECT_EQ(m.rows[kStO2Rows][0], 26);
  EXPECT_EQ(m.rows[kStO2Rows][1], 25 + 150);
  EXPECT_EQ(m.rows[kHrRows][3], 25 + 150);
  EXPECT_EQ(m.rows[kToHbRows][2], 336);
}

TEST(CurrentMeasurement, StartsEmptyWithRoomForAnHourAndOnlyGrows) {
  CurrentMeasurement m;
  EXPECT_EQ(m.title, "no-data");
  EXPECT_EQ(m.n, 0);
  EXPECT_EQ(m.sto2.size(), 3600u);
  for (const auto& s : m.rows) EXPECT_EQ(s.size(), 3600u);
  m.EnsureCapacity(5000);
  EXPECT_EQ(m.dxhb.size(), 5000u);
  for (const auto& s : m.rows) EXPECT_EQ(s.size(), 5000u);
  m.EnsureCapacity(10);
  EXPECT_EQ(m.hr.size(), 5000u);
}

}  // namespace
}  // namespace oxi
