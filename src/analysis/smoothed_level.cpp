#include "analysis/smoothed_level.h"

#include <algorithm>

#include "store/record_file.h"

namespace oxi {

double Level::Percent() const {
  return static_cast<double>(sum) / static_cast<double>(count) / kTenthsPerUnit;
}

std::strong_ordering operator<=>(const Level& a, const Level& b) {
  // Both counts are positive; the products of a long record's sums and counts outgrow 64
  // bits once a midpoint's count is the product of two windows'.
  const __int128 left = static_cast<__int128>(a.sum) * b.count;
  const __int128 right = static_cast<__int128>(b.sum) * a.count;
  if (left < right) return std::strong_ordering::less;
  return left > right ? std::strong_ordering::greater : std::strong_ordering::equal;
}

Level Midpoint(const Level& a, const Level& b) {
  return {a.sum * b.count + b.sum * a.count, 2 * a.count * b.count};
}

SlidingLevels::SlidingLevels(const CurrentMeasurement& m, int n, int half, int first)
    : m_(m), n_(n), half_(half), next_(first) {
  // Sample first - half - 1 too: the first step takes it away again.
  for (int i = std::max(first - half - 1, 0); i < std::min(first + half, n); ++i) Add(i, 1);
}

Level SlidingLevels::Next() {
  Add(next_ + half_, 1);
  Add(next_ - half_ - 1, -1);
  ++next_;
  return window_;
}

void SlidingLevels::Add(int i, int sign) {
  if (i < 0 || i >= n_ || !m_.Valid(i)) return;
  window_.sum += sign * m_.sto2[i];
  window_.count += sign;
}

}  // namespace oxi
