#include "analysis/smoothed_level.h"

#include <algorithm>

#include "store/record_file.h"

namespace oxi {

Level Midpoint(const Level& a, const Level& b) {
  return {a.sum * b.count + b.sum * a.count, 2 * a.count * b.count};
}

SlidingLevels::SlidingLevels(const CurrentMeasurement& m, int n, int half, int first)
    : m_(m), n_(n), half_(half), next_(first) {
  // Sample first - half - 1 too: the first step takes it away again.
  for (int i = std::max(first - half - 1, 0); i < std::min(first + half, n); ++i) Add(i, 1);
}

}  // namespace oxi
