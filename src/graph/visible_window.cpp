#include "graph/visible_window.h"

#include <algorithm>
#include <cstdint>

namespace oxi {

int ClampGraphOffset(int offset, int thumbWidth) {
  const int maxOffset = std::max(0, kGraphTrackLength - thumbWidth);
  return std::clamp(offset, 0, maxOffset);
}

VisibleWindow ComputeVisibleWindow(int n, int offset, int thumbWidth) {
  if (n <= kWindowSamples) return {0, std::max(n, 0)};
  const int travel = kGraphTrackLength - thumbWidth;
  // A thumb as wide as the track cannot move: the window stays at the start.
  std::int64_t start = 0;
  if (travel > 0) {
    start = static_cast<std::int64_t>(n - kWindowSamples) * offset / travel;
    start = (start + 1) / kSamplesPerColumn * kSamplesPerColumn;
  }
  const int s = static_cast<int>(std::clamp<std::int64_t>(start, 0, n));
  return {s, std::min(s + kWindowSamples, n)};
}

}  // namespace oxi
