// The five curves of the detail graph, drawn from the stored pixel rows.
#include <algorithm>

#include "graph/detail_layout.h"
#include "graph/detail_parts.h"
#include "graph/draw_steps.h"
#include "store/sample_count.h"

namespace oxi::detail_parts {
namespace {

using namespace detail_layout;

struct CurveStyle {
  Series series;
  Colorref pen;
  Colorref gapDot;
  bool ignoresValidity;  // the heart rate is measured even when StO2 is not
};

constexpr CurveStyle kCurves[] = {
    {kStO2Rows, kRed, kOrange, false},    {kHrRows, kGreen, kGreen, true},
    {kOxHbRows, kBlue, kBlue, false},     {kDxHbRows, kGreen, kGreen, false},
    {kToHbRows, kOrange, kOrange, false},
};

// A gap (invalid StO2) is shown as a dot every third column at the last drawn height.
constexpr int kGapDotSpacing = 3;

void DrawCurve(Dc& dc, const CurrentMeasurement& m, const DisplaySeries& series, VisibleWindow w,
               const CurveStyle& style) {
  const auto& rows = series.rows[style.series];
  dc.SelectPen(Pen{style.pen});
  int prevX = kPlotLeft;
  int prevY = rows[w.start + kCurveSkip];
  for (int i = w.start + kCurveSkip + 1; i < w.end; ++i) {
    const int x = kPlotLeft + (i - w.start) / kSamplesPerColumn;
    if (style.ignoresValidity || m.Valid(i)) {
      const int y = rows[i];
      // Two lines a row apart make the curve two pixels thick. A line that does not move
      // paints nothing, and six samples share a column, so those are left out.
      if (x != prevX || y != prevY) {
        DrawLine(dc, prevX, prevY, x, y);
        DrawLine(dc, prevX, prevY + 1, x, y + 1);
      }
      prevY = y;
    } else if (x % kGapDotSpacing == 0) {
      dc.SetPixel(x, prevY, style.gapDot);
    }
    prevX = x;
  }
}

// Samples whose rows are there too.
int DrawableSamples(const CurrentMeasurement& m, const DisplaySeries& series) {
  std::size_t n = static_cast<std::size_t>(UsableSamples(m));
  for (const auto& rows : series.rows) n = std::min(n, rows.size());
  return static_cast<int>(n);
}

}  // namespace

void DrawCurves(Dc& dc, const CurrentMeasurement& m, const DisplaySeries& series,
                VisibleWindow window) {
  window.end = std::min(window.end, DrawableSamples(m, series));
  // The first drawn point is sample start + 3; a curve needs at least one more.
  if (window.end - window.start <= kCurveSkip + 1) return;
  for (const CurveStyle& style : kCurves) DrawCurve(dc, m, series, window, style);
}

}  // namespace oxi::detail_parts
