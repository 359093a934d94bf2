#pragma once
#include <compare>
#include <cstdint>

#include "store/current_measurement.h"
#include "store/record_file.h"

namespace oxi {

// The level of every sample of every record of a store is made and compared, so what
// each sample takes is defined here, where the callers' loops can take it in.

// A smoothed StO2 value kept as the exact fraction it is, sum / count in 0.1 %, so that
// every threshold of the episode search compares exactly as a hand calculation would: a
// floor of 30.0 and a rise to 40.0 is a rise of 10 points, not 9.999999.
struct Level {
  std::int64_t sum = 0;
  std::int64_t count = 0;  // 0: no valid sample in the window, the level is undefined
  bool Defined() const { return count > 0; }
  double Percent() const {
    return static_cast<double>(sum) / static_cast<double>(count) / kTenthsPerUnit;
  }
  // The level moved by `tenths` (0.1 points).
  Level Plus(std::int64_t tenths) const { return {sum + tenths * count, count}; }
};
// Both counts are positive. Windows of one count (the usual case) compare by their sums;
// otherwise the cross products, which outgrow 64 bits once a midpoint's count is the
// product of two windows'.
inline std::strong_ordering operator<=>(const Level& a, const Level& b) {
  if (a.count == b.count) return a.sum <=> b.sum;
  const __int128 left = static_cast<__int128>(a.sum) * b.count;
  const __int128 right = static_cast<__int128>(b.sum) * a.count;
  if (left < right) return std::strong_ordering::less;
  return left > right ? std::strong_ordering::greater : std::strong_ordering::equal;
}
inline bool operator==(const Level& a, const Level& b) {
  return (a <=> b) == 0;
}
// Half-way between two levels.
Level Midpoint(const Level& a, const Level& b);

// The smoothed levels of a record one sample after another: the mean of the valid StO2
// samples within `half` samples either side. The window slides, adding the sample that
// enters it and taking away the one that leaves, so no level is kept that is not asked for.
class SlidingLevels {
 public:
  // The first level given is that of sample `first`.
  SlidingLevels(const CurrentMeasurement& m, int n, int half, int first);
  Level Next() {
    Add(next_ + half_, 1);
    Add(next_ - half_ - 1, -1);
    ++next_;
    return window_;
  }

 private:
  void Add(int i, int sign) {
    if (i < 0 || i >= n_ || !m_.Valid(i)) return;
    window_.sum += sign * m_.sto2[i];
    window_.count += sign;
  }

  const CurrentMeasurement& m_;
  const int n_;
  const int half_;
  int next_;
  Level window_;
};

}  // namespace oxi
