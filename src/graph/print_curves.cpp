// The five printed curves: the whole measurement compressed into the plot width, drawn
// from freshly computed moving averages.
#include <algorithm>
#include <cstdint>

#include "graph/display_series.h"
#include "graph/print_parts.h"
#include "graph/visible_window.h"
#include "store/sample_count.h"

namespace oxi::print_parts {
namespace {

using namespace print_layout;

constexpr int kStO2MaxAverage = 65535;
constexpr int kCurvePenWidth = 2;  // in units of the page's thin pen
constexpr int kGapDotSpacing = 3;

std::vector<int> Clamped(const std::vector<int>& values, int n, int high) {
  std::vector<int> out(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) out[i] = std::clamp(values[i], 0, high);
  return out;
}

// Row of value `a` in a printed plot: strictly inside its frame.
int PlotRow(int a, int fullScale, int top) {
  return top + std::clamp(kPlotHeight - a * kPlotHeight / fullScale, 1, kPlotHeight - 1);
}

struct PrintedCurve {
  Colorref color;
  bool ignoresValidity;  // the heart rate is measured even when StO2 is not
  int fullScale;
  int top;
  int (*value)(const PrintedValues&, int i);
};

const PrintedCurve kCurves[] = {
    {kRed, false, kSto2FullScale, kUpperTop,
     [](const PrintedValues& v, int i) { return v.sto2[i]; }},
    {kGreen, true, kHrFullScale, kUpperTop, [](const PrintedValues& v, int i) { return v.hr[i]; }},
    {kBlue, false, kHbFullScale, kLowerTop,
     [](const PrintedValues& v, int i) { return v.oxhb[i]; }},
    {kGreen, false, kHbFullScale, kLowerTop,
     [](const PrintedValues& v, int i) { return v.dxhb[i]; }},
    {kOrange, false, kHbFullScale, kLowerTop,
     [](const PrintedValues& v, int i) { return v.oxhb[i] + v.dxhb[i]; }},
};

void DrawCurve(PagePainter& p, const CurrentMeasurement& m, const PrintedValues& values,
               const PrintedCurve& curve) {
  const int n = static_cast<int>(values.sto2.size());
  const std::int64_t span = std::max(n, kWindowSamples);
  auto row = [&](int i) { return PlotRow(curve.value(values, i), curve.fullScale, curve.top); };
  p.UsePen(curve.color, kCurvePenWidth);
  int prevQ = 0;
  int prevRow = row(0);
  int lastDrawnQ = 0;
  for (int i = 1; i < n; ++i) {
    const int q = static_cast<int>(i * static_cast<std::int64_t>(kPlotWidth) / span);
    if (curve.ignoresValidity || m.Valid(i)) {
      const int r = row(i);
      p.Line(kPlotLeft + prevQ, prevRow, kPlotLeft + q, r);
      prevRow = r;
      lastDrawnQ = q;
    } else if ((q - lastDrawnQ) % kGapDotSpacing == 0) {
      // A zero-length line leaves one dot of the pen's width: the gap's dotted line.
      p.Line(kPlotLeft + q, prevRow, kPlotLeft + q, prevRow);
    }
    prevQ = q;
  }
}

}  // namespace

PrintedValues ComputePrintedValues(const CurrentMeasurement& m, int window) {
  const int n = UsableSamples(m);
  if (n == 0) return {};
  const MovingAverages a = ComputeMovingAverages(m, std::max(window, 1));
  return {Clamped(a.sto2, n, kStO2MaxAverage), Clamped(a.hr, n, kHrFullScale),
          Clamped(a.oxhb, n, kHbFullScale), Clamped(a.dxhb, n, kHbFullScale)};
}

void DrawCurves(PagePainter& p, const CurrentMeasurement& m, const PrintedValues& values) {
  if (values.sto2.empty()) return;
  for (const PrintedCurve& curve : kCurves) DrawCurve(p, m, values, curve);
}

}  // namespace oxi::print_parts
