#pragma once
#include <algorithm>
#include <cstddef>

#include "store/current_measurement.h"

namespace oxi {

// The samples of `m` that its four sample arrays really hold: a count that disagrees with
// the arrays must never make a reader step past them.
inline int UsableSamples(const CurrentMeasurement& m) {
  std::size_t n = static_cast<std::size_t>(std::max(m.n, 0));
  n = std::min({n, m.sto2.size(), m.hr.size(), m.oxhb.size(), m.dxhb.size()});
  return static_cast<int>(n);
}

}  // namespace oxi
