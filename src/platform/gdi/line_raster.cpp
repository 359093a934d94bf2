#include "platform/gdi/line_raster.h"

#include <algorithm>

namespace oxi {

namespace {

// Products of two coordinate differences reach 2^65, so the clip is solved in 128 bits.
using Wide = __int128;

Wide FloorDiv(Wide n, Wide d) {
  Wide q = n / d;
  if ((n % d != 0) && ((n < 0) != (d < 0))) --q;
  return q;
}

Wide CeilDiv(Wide n, Wide d) {
  return -FloorDiv(-n, d);
}

struct Range {
  Wide lo;
  Wide hi;
};

// The values v for which start + step * v lies in [lo, hi] (step is +1 or -1).
Range Solve(Wide start, int step, Wide lo, Wide hi) {
  return step > 0 ? Range{lo - start, hi - start} : Range{start - hi, start - lo};
}

// An exact half rounds to the smaller coordinate: along a minor axis that grows, the
// rounding offset is one less than a plain round-half-up.
int HalfDown(int minorStep) {
  return minorStep > 0 ? 1 : 0;
}

bool Inside(int x, int y, int left, int top, int right, int bottom) {
  return x >= left && x < right && y >= top && y < bottom;
}

// Both ends inside (the common case on screen): the whole line is visible and small.
LineSteps Unclipped(int x0, int y0, int x1, int y1) {
  LineSteps s;
  const std::int64_t dx = std::int64_t{x1} - x0, dy = std::int64_t{y1} - y0;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  s.xMajor = adx >= ady;
  const std::int64_t b = s.xMajor ? adx : ady;
  const std::int64_t a = s.xMajor ? ady : adx;
  s.count = static_cast<int>(b);
  s.x = x0;
  s.y = y0;
  s.majorStep = ((s.xMajor ? dx : dy) < 0) ? -1 : 1;
  s.minorStep = ((s.xMajor ? dy : dx) < 0) ? -1 : 1;
  s.error = b - HalfDown(s.minorStep);  // 2ka + b - up at k = 0, below the limit 2b
  s.errorStep = 2 * a;
  s.errorLimit = 2 * b;
  return s;
}

}  // namespace

LineSteps ClipLine(int x0, int y0, int x1, int y1, int left, int top, int right, int bottom) {
  if (Inside(x0, y0, left, top, right, bottom) && Inside(x1, y1, left, top, right, bottom)) {
    return Unclipped(x0, y0, x1, y1);
  }
  LineSteps s;
  const Wide dx = Wide{x1} - x0;
  const Wide dy = Wide{y1} - y0;
  const Wide adx = dx < 0 ? -dx : dx;
  const Wide ady = dy < 0 ? -dy : dy;
  s.xMajor = adx >= ady;
  const Wide b = s.xMajor ? adx : ady;  // major length
  const Wide a = s.xMajor ? ady : adx;  // minor length
  if (b == 0) return s;
  s.majorStep = ((s.xMajor ? dx : dy) < 0) ? -1 : 1;
  s.minorStep = ((s.xMajor ? dy : dx) < 0) ? -1 : 1;
  const Wide m0 = s.xMajor ? x0 : y0;
  const Wide n0 = s.xMajor ? y0 : x0;
  const Wide mLo = s.xMajor ? left : top;
  const Wide mHi = (s.xMajor ? right : bottom) - Wide{1};
  const Wide nLo = s.xMajor ? top : left;
  const Wide nHi = (s.xMajor ? bottom : right) - Wide{1};

  const Range major = Solve(m0, s.majorStep, mLo, mHi);
  Wide kMin = std::max<Wide>(0, major.lo);
  Wide kMax = std::min<Wide>(b - 1, major.hi);
  // The minor offset f(k) = floor((2ka + c) / 2b), c = b - up, must stay within `minor`.
  const Wide c = b - HalfDown(s.minorStep);
  const Range minor = Solve(n0, s.minorStep, nLo, nHi);
  if (a == 0) {
    if (minor.lo > 0 || minor.hi < 0) return s;
  } else {
    // f(k) >= lo  <=>  2ka + c >= 2b lo;  f(k) <= hi  <=>  2ka + c <= 2b (hi + 1) - 1.
    kMin = std::max(kMin, CeilDiv(2 * b * minor.lo - c, 2 * a));
    kMax = std::min(kMax, FloorDiv(2 * b * (minor.hi + 1) - 1 - c, 2 * a));
  }
  if (kMin > kMax) return s;

  const Wide num = 2 * kMin * a + c;
  const Wide f = FloorDiv(num, 2 * b);
  const Wide m = m0 + s.majorStep * kMin;
  const Wide n = n0 + s.minorStep * f;
  s.count = static_cast<int>(kMax - kMin + 1);
  s.x = static_cast<int>(s.xMajor ? m : n);
  s.y = static_cast<int>(s.xMajor ? n : m);
  s.error = static_cast<std::int64_t>(num - f * 2 * b);
  s.errorStep = static_cast<std::int64_t>(2 * a);
  s.errorLimit = static_cast<std::int64_t>(2 * b);
  return s;
}

}  // namespace oxi
