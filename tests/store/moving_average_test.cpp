#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "store/current_measurement.h"
#include "store_test_util.h"

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

void ExpectSame(const MovingAverages& got, const MovingAverages& want, int n, int w) {
  for (int i = 0; i < n; ++i) {
    ASSERT_EQ(got.sto2[i], want.sto2[i]) << "StO2 n=" << n << " W=" << w << " i=" << i;
    ASSERT_EQ(got.hr[i], want.hr[i]) << "HR n=" << n << " W=" << w << " i=" << i;
    ASSERT_EQ(got.oxhb[i], want.oxhb[i]) << "oxHb n=" << n << " W=" << w << " i=" << i;
    ASSERT_EQ(got.dxhb[i], want.dxhb[i]) << "dxHb n=" << n << " W=" << w << " i=" << i;
    ASSERT_EQ(got.tohb[i], want.tohb[i]) << "toHb n=" << n << " W=" << w << " i=" << i;
  }
}

TEST(MovingAverages, MatchTheWindowWalkOnRandomRecords) {
  std::mt19937 rng(20080315);
  CurrentMeasurement m;
  for (int n : {0, 1, 2, 3, 7, 50, 99, 100, 101, 257, 1000, 3001}) {
    testing::FillRandom(m, n, rng);
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

TEST(CurrentMeasurement, StartsEmptyWithRoomForAnHourAndOnlyGrows) {
  CurrentMeasurement m;
  EXPECT_EQ(m.title, "no-data");
  EXPECT_EQ(m.n, 0);
  EXPECT_EQ(m.sto2.size(), 3600u);
  m.EnsureCapacity(5000);
  EXPECT_EQ(m.dxhb.size(), 5000u);
  m.EnsureCapacity(10);
  EXPECT_EQ(m.hr.size(), 5000u);
}

}  // namespace
}  // namespace oxi
