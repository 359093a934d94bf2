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

std::vector<Level> SmoothedLevels(const CurrentMeasurement& m, int n, int half) {
  // Running totals of the valid samples before each index give every window's sum at once.
  std::vector<Level> before(static_cast<std::size_t>(n) + 1);
  for (int i = 0; i < n; ++i) {
    const bool valid = m.Valid(i);
    before[i + 1] = {before[i].sum + (valid ? m.sto2[i] : 0), before[i].count + (valid ? 1 : 0)};
  }
  std::vector<Level> levels(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const Level& from = before[std::max(i - half, 0)];
    const Level& to = before[std::min(i + half, n - 1) + 1];
    levels[i] = {to.sum - from.sum, to.count - from.count};
  }
  return levels;
}

}  // namespace oxi
