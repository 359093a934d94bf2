#include "platform/gdi/device_axis.h"

#include <algorithm>

namespace oxi {

DeviceAxis::DeviceAxis(Scale scale, int origin, int lo, int hi, int depth)
    : DeviceAxis(scale, origin) {
  lo_ = lo;
  hi_ = hi;
  if (depth <= 0 || hi <= lo) return;
  const int k = std::min<std::int64_t>(depth, (std::int64_t{hi} - lo) / 2);
  const std::int64_t inLo = Plain(lo) + std::int64_t{k} * pen_;
  const std::int64_t inHi = Plain(hi) - std::int64_t{k} * pen_;
  if (k <= 0 || inHi < inLo) return;  // too small for its frame: drawn as it is
  depth_ = k;
  inLo_ = static_cast<int>(inLo);
  inHi_ = static_cast<int>(inHi);
}

int DeviceAxis::Edge(std::int64_t p) const {
  if (!Framed() || p <= lo_ || p >= hi_) return Plain(p);
  if (p - lo_ <= depth_) return static_cast<int>(Plain(lo_) + (p - lo_) * pen_);
  if (hi_ - p <= depth_) return static_cast<int>(Plain(hi_) - (hi_ - p) * pen_);
  const std::int64_t span = std::int64_t{hi_} - lo_ - 2 * depth_;
  const std::int64_t at = p - lo_ - depth_;
  return static_cast<int>(inLo_ + (2 * at * (inHi_ - inLo_) + span) / (2 * span));
}

int DeviceAxis::Reach(int p) const {
  const std::int64_t end =
      std::max<std::int64_t>(std::int64_t{Edge(p)} + pen_, Edge(std::int64_t{p} + 1));
  const bool inside = Framed() && p >= lo_ + depth_ && p < hi_ - depth_;
  return static_cast<int>(inside ? std::min<std::int64_t>(end, inHi_) : end);
}

}  // namespace oxi
