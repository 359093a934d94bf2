#include "platform/gdi/scale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace oxi {

namespace {

// Far-out device positions stay far out without overflowing the int arithmetic.
constexpr std::int64_t kDeviceReach = std::int64_t{1} << 30;

std::int64_t FloorDiv(std::int64_t n, std::int64_t d) {
  const std::int64_t q = n / d;
  return (n % d != 0 && (n < 0) != (d < 0)) ? q - 1 : q;
}

int Clamped(std::int64_t v) {
  return static_cast<int>(std::clamp(v, -kDeviceReach, kDeviceReach));
}

}  // namespace

Scale Scale::FromRatio(double ratio) {
  if (!std::isfinite(ratio)) return Scale();
  const double steps = std::round(ratio * kStepsPerPixel);
  return OfSteps(static_cast<int>(std::clamp<double>(steps, kMinSteps, kMaxSteps)));
}

Scale Scale::FromDpi(int dpi) {
  return FromRatio(static_cast<double>(dpi) / kBaseDpi);
}

int Scale::ToLogical(std::int64_t device) const {
  // ToDevice(p) <= d  <=>  p * steps < 4 d + 2, so p = floor((4 d + 1) / steps).
  const std::int64_t d = std::clamp(device, -kDeviceReach, kDeviceReach);
  return Clamped(FloorDiv(d * kStepsPerPixel + kStepsPerPixel / 2 - 1, steps_));
}

}  // namespace oxi
