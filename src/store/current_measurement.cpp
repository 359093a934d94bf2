#include "store/current_measurement.h"

#include <algorithm>
#include <cstdint>

#include "res/texts.h"

namespace oxi {
namespace {

struct SeriesPlacement {
  int fullScale;
  int base;
};
constexpr std::array<SeriesPlacement, kSeriesCount> kPlacement = {{
    {kSto2FullScale, kUpperPlotBase},
    {kHrFullScale, kUpperPlotBase},
    {kHbFullScale, kLowerPlotBase},
    {kHbFullScale, kLowerPlotBase},
    {kHbFullScale, kLowerPlotBase},
}};

constexpr std::int64_t kNarrowWindowLimit = 65535;

// A template so each row's full scale is a constant and its division a multiplication.
template <Series kSeries>
void StoreRow(CurrentMeasurement& m, int i, int value) {
  constexpr SeriesPlacement kAt = kPlacement[kSeries];
  m.rows[kSeries][i] = static_cast<std::int16_t>(DisplayRow(value, kAt.fullScale, kAt.base));
}

// The values one sample contributes to a window. An invalid sample contributes the values
// of the last valid sample before it, or 0 when there is none; HR is taken as it is.
//
// This is what the window-by-window walk with its carried values amounts to: the window
// start never decreases and moves by at most one sample per step, so the carried values
// are always those of the last valid sample before the window, and inside the window an
// invalid sample repeats the last valid one. So every window's sum can be kept running:
// one walk adds the samples that enter, a second subtracts those that leave, and the cost
// does not depend on the window's width.
struct Contribution {
  std::int64_t sto2 = 0, hr = 0, oxhb = 0, dxhb = 0;
};

class ContributionWalk {
 public:
  explicit ContributionWalk(const CurrentMeasurement& m) : m_(m) {}
  Contribution Next() {
    const int j = next_++;
    if (m_.Valid(j)) last_ = {m_.sto2[j], 0, m_.oxhb[j], m_.dxhb[j]};
    return {last_.sto2, m_.hr[j], last_.oxhb, last_.dxhb};
  }

 private:
  const CurrentMeasurement& m_;
  int next_ = 0;
  Contribution last_;
};

struct WindowAverages {
  int sto2, hr, oxhb, dxhb, tohb;
};

// Calls `sink(i, averages)` for every sample in order.
template <typename Sink>
void ForEachWindowAverage(const CurrentMeasurement& m, int window, Sink sink) {
  // The input offers 1..100; anything below 1 would make a window without samples.
  const std::int64_t w = std::max(window, 1);
  const std::int64_t n = std::max(m.n, 0);
  const std::int64_t half = w / 2;
  // Sums stay below 2^31 while a window holds at most 65535 samples of at most 32767, and
  // a 32-bit division is several times cheaper than a 64-bit one.
  const bool narrow = w <= kNarrowWindowLimit;
  const auto divide = [narrow](std::int64_t sum, std::int64_t count) {
    return narrow ? static_cast<int>(static_cast<std::uint32_t>(sum) /
                                     static_cast<std::uint32_t>(count))
                  : static_cast<int>(sum / count);
  };
  ContributionWalk entering(m), leaving(m);
  Contribution sum;
  std::int64_t lo = 0, hi = 0;
  for (std::int64_t i = 0; i < n; ++i) {
    for (const std::int64_t end = std::min(i + half + (w % 2), n); hi < end; ++hi) {
      const Contribution c = entering.Next();
      sum = {sum.sto2 + c.sto2, sum.hr + c.hr, sum.oxhb + c.oxhb, sum.dxhb + c.dxhb};
    }
    for (const std::int64_t start = std::max<std::int64_t>(i - half, 0); lo < start; ++lo) {
      const Contribution c = leaving.Next();
      sum = {sum.sto2 - c.sto2, sum.hr - c.hr, sum.oxhb - c.oxhb, sum.dxhb - c.dxhb};
    }
    const std::int64_t count = std::max<std::int64_t>(hi - lo, 1);
    sink(static_cast<int>(i),
         WindowAverages{divide(sum.sto2, count), divide(sum.hr, count), divide(sum.oxhb, count),
                        divide(sum.dxhb, count), divide(sum.oxhb + sum.dxhb, count)});
  }
}

}  // namespace

CurrentMeasurement::CurrentMeasurement() : title(texts::kNoDataTitle) {
  EnsureCapacity(kInitialSampleCapacity);
}

void CurrentMeasurement::EnsureCapacity(int samples) {
  const std::size_t want = static_cast<std::size_t>(std::max(samples, 0));
  if (sto2.size() >= want) return;
  sto2.resize(want);
  hr.resize(want);
  oxhb.resize(want);
  dxhb.resize(want);
  for (auto& series : rows) series.resize(want);
}

void ComputeDisplaySeriesUnaveraged(CurrentMeasurement& m) {
  for (int i = 0; i < m.n; ++i) {
    StoreRow<kStO2Rows>(m, i, m.sto2[i]);
    StoreRow<kHrRows>(m, i, m.hr[i]);
    StoreRow<kOxHbRows>(m, i, m.oxhb[i]);
    StoreRow<kDxHbRows>(m, i, m.dxhb[i]);
    StoreRow<kToHbRows>(m, i, m.oxhb[i] + m.dxhb[i]);
  }
}

MovingAverages ComputeMovingAverages(const CurrentMeasurement& m, int window) {
  MovingAverages a;
  for (auto* v : {&a.sto2, &a.hr, &a.oxhb, &a.dxhb, &a.tohb}) v->resize(std::max(m.n, 0));
  ForEachWindowAverage(m, window, [&a](int i, const WindowAverages& avg) {
    a.sto2[i] = avg.sto2;
    a.hr[i] = avg.hr;
    a.oxhb[i] = avg.oxhb;
    a.dxhb[i] = avg.dxhb;
    a.tohb[i] = avg.tohb;
  });
  return a;
}

void ComputeDisplaySeriesAveraged(CurrentMeasurement& m, int window) {
  if (m.n <= 0) return;
  ForEachWindowAverage(m, window, [&m](int i, const WindowAverages& avg) {
    StoreRow<kStO2Rows>(m, i, avg.sto2);
    StoreRow<kHrRows>(m, i, avg.hr);
    StoreRow<kOxHbRows>(m, i, avg.oxhb);
    StoreRow<kDxHbRows>(m, i, avg.dxhb);
    StoreRow<kToHbRows>(m, i, avg.tohb);
  });
}

}  // namespace oxi
