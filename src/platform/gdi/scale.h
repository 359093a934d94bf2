#pragma once
#include <cstdint>

namespace oxi {

// How many device pixels one logical pixel of the drawings covers: 1 to 3 in quarter
// steps, the scales screens are set to (100 %, 125 %, 150 % ... 300 %). Whole quarters
// keep every mapping exact integer arithmetic, so the same logical drawing always lands
// on the same device pixels.
class Scale {
 public:
  static constexpr int kStepsPerPixel = 4;
  static constexpr int kMinSteps = 4;   // 1x: drawings stay exactly as they are
  static constexpr int kMaxSteps = 12;  // 3x
  static constexpr int kBaseDpi = 96;   // the resolution Windows calls 100 %

  constexpr Scale() = default;
  // The nearest supported scale to a toolkit's device pixel ratio or a screen's DPI.
  static Scale FromRatio(double ratio);
  static Scale FromDpi(int dpi);
  static constexpr Scale OfSteps(int steps) {
    return Scale(steps < kMinSteps ? kMinSteps : steps > kMaxSteps ? kMaxSteps : steps);
  }

  constexpr int Steps() const { return steps_; }
  constexpr bool IsOne() const { return steps_ == kStepsPerPixel; }
  double Ratio() const { return static_cast<double>(steps_) / kStepsPerPixel; }
  int Dpi() const { return kBaseDpi * steps_ / kStepsPerPixel; }

  // The device position of a logical edge: x times the scale, an exact half rounded up.
  // Far-out positions are held at +-2^29 logical pixels, which keeps the result an int.
  int ToDevice(std::int64_t logical) const {
    const std::int64_t x = logical < -kReach ? -kReach : logical > kReach ? kReach : logical;
    return static_cast<int>((x * steps_ + kStepsPerPixel / 2) >> 2);  // floor of / 4
  }
  // The logical pixel that device pixel d belongs to: the last one whose edge is at or
  // before d, so that ToDevice(ToLogical(d)) <= d < ToDevice(ToLogical(d) + 1).
  int ToLogical(std::int64_t device) const;
  // A pen's width in device pixels: scaled and rounded, never below one.
  int PenWidth(int logicalWidth) const {
    return logicalWidth <= 1 ? (steps_ + kStepsPerPixel / 2) / kStepsPerPixel
                             : ToDevice(logicalWidth);
  }

  constexpr bool operator==(const Scale&) const = default;

 private:
  static constexpr std::int64_t kReach = std::int64_t{1} << 29;
  static_assert(kStepsPerPixel == 4, "ToDevice divides by a shift");

  explicit constexpr Scale(int steps) : steps_(steps) {}
  int steps_ = kStepsPerPixel;
};

// Where a surface lies on the logical grid of its window: the scale and the logical
// position of the surface's top-left pixel. Positions map through the window's grid, so a
// control's surface and the face around it round their edges alike.
struct PixelGrid {
  Scale scale;
  int originX = 0;
  int originY = 0;

  // Device position, on the surface, of logical edge x (y) of the surface.
  int X(std::int64_t x) const { return scale.ToDevice(originX + x) - scale.ToDevice(originX); }
  int Y(std::int64_t y) const { return scale.ToDevice(originY + y) - scale.ToDevice(originY); }
  bool IsIdentity() const { return scale.IsOne(); }
  bool operator==(const PixelGrid&) const = default;
};

}  // namespace oxi
