#pragma once
#include <algorithm>
#include <cstdint>

#include "store/current_measurement.h"

namespace oxi {

// The averages of one centred window of samples.
struct WindowAverages {
  int sto2, hr, oxhb, dxhb, tohb;
};

namespace window_average {

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

// Sums stay below 2^31 while a window holds at most 65535 samples of at most 32767, and
// a 32-bit division is several times cheaper than a 64-bit one.
inline constexpr std::int64_t kNarrowWindowLimit = 65535;

}  // namespace window_average

// Calls `sink(i, averages)` for every sample of `m` in order, each averaged over the
// centred window of `window` samples. A template, so that each caller's sink is inlined
// into the one walk both the averages and the graph's rows are made by.
template <typename Sink>
void ForEachWindowAverage(const CurrentMeasurement& m, int window, Sink sink) {
  using namespace window_average;
  // The input offers 1..100; anything below 1 would make a window without samples.
  const std::int64_t w = std::max(window, 1);
  const std::int64_t n = std::max(m.n, 0);
  const std::int64_t half = w / 2;
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

}  // namespace oxi
