// Grid, titles, scales, header, time axis and frames of the printed graph.
#include <string>

#include "graph/header_text.h"
#include "graph/print_parts.h"
#include "graph/scale_labels.h"
#include "graph/time_axis.h"
#include "platform/text/text_format.h"
#include "res/texts.h"

namespace oxi::print_parts {
namespace {

using namespace print_layout;

using namespace scale_labels;

// Row k of the grid (0 = the plot's top) below a plot top, in whole layout units.
int GridRow(int plotTop, int k) {
  return plotTop + k * kPlotHeight / kDivisions;
}

void DrawGrid(PagePainter& p) {
  p.UsePen(kGridColor);
  for (int k = 1; k < kDivisions; ++k) {
    p.Line(kPlotLeft, GridRow(kUpperTop, k), kGridRight, GridRow(kUpperTop, k));
    p.Line(kPlotLeft, GridRow(kLowerTop, k), kGridRight, GridRow(kLowerTop, k));
  }
}

void DrawTitles(PagePainter& p) {
  p.UseFont(kTitleFontUnits);
  p.Text(kTitleLeft, kUpperTitleY, kRed, texts::kStO2Title);
  p.Text(kHrTitleLeft, kUpperTitleY, kGreen, texts::kHeartRateTitle);
  p.Text(kTitleLeft, kLowerTitleY, kBlue, texts::kOxHbTitle);
  p.Text(kDxHbTitleLeft, kLowerTitleY, kGreen, texts::kDxHbTitle);
  p.Text(kToHbTitleLeft, kLowerTitleY, kOrange, texts::kToHbTitle);
}

void DrawHeartRateScale(PagePainter& p) {
  p.UsePen(kGridColor);
  for (int k = 0; k < kDivisions; ++k) {
    const int y = GridRow(kUpperTop, k);
    p.Line(kHrTickLeft, y, kHrTickRight, y);
    p.Text(kHrLabelX, y + kHrLabelDy, kBlack, FormatText("%d", HeartRateAt(k)));
  }
  p.Text(kHrLabelX, kHrZeroY, kBlack, "0");
  for (int i = 0; i < 3; ++i) p.Text(kHrTitleX, kHrTitleY[i], kBlack, texts::kHeartRateVertical[i]);
}

void DrawStO2Scale(PagePainter& p) {
  p.Text(kStO2ZeroX, kStO2ZeroY, kBlack, FormatText("%d", 0));
  for (int v = kStO2PercentStep; v <= kStO2Percent; v += kStO2PercentStep) {
    const StO2Label label = StO2LabelOf(v);
    const int y = (kStO2Percent - v) * kPlotHeight / kStO2Percent + kStO2LabelDy;
    p.Text(kStO2LabelX[label.column], y, kBlack, label.text);
  }
  for (int i = 0; i < 4; ++i) p.Text(kStO2TitleX, kStO2TitleY[i], kBlack, texts::kStO2Vertical[i]);
  p.Text(kPercentX, kPercentY, kBlack, FormatText(texts::kPercentUnitFormat));
}

void DrawHbScale(PagePainter& p) {
  for (int k = 0; k < kDivisions; ++k) {
    const int y = GridRow(kLowerTop, k) + (k == 0 ? kHbFirstLabelDy : kHbLabelDy);
    p.Text(kHbLabelX, y, kBlack, FormatText(texts::kHbScaleFormat, HbHundredthsAt(k)));
  }
  p.Text(kHbLabelX, kHbZeroY, kBlack, texts::kHbZero);
  p.Text(kHbUnitX, kHbUnitY, kBlack, texts::kHbUnit);
}

void DrawTimeAxis(PagePainter& p, int n, int rate) {
  p.UsePen(kBlack);
  for (const AxisTick& tick : PrintTimeTicks(n, rate)) {
    p.Line(kPlotLeft + tick.p, kLowerFrameBottom, kPlotLeft + tick.p, kTickBottom);
    const int dx = tick.longLabel ? kLongLabelDx : kShortLabelDx;
    p.Text(tick.p + dx, kTickLabelY, kBlack, tick.label);
  }
}

}  // namespace

void DrawFrameElements(PagePainter& p, int n, int rate) {
  DrawGrid(p);
  DrawTitles(p);
  p.UseFont(kLabelFontUnits);
  DrawHeartRateScale(p);
  DrawStO2Scale(p);
  DrawHbScale(p);
  DrawTimeAxis(p, n, rate);
}

void DrawHeader(PagePainter& p, const CurrentMeasurement& m) {
  p.UseFont(kLabelFontUnits);
  p.Text(kHeaderX, kHeaderY, kBlack, MeasurementHeaderText(m, texts::kPrintHeaderFormat));
}

void DrawPlotFrames(PagePainter& p) {
  p.UsePen(kBlack);
  for (const auto& [top, bottom] : {std::pair<double, double>{kUpperTop, kUpperFrameBottom},
                                    std::pair<double, double>{kLowerTop, kLowerFrameBottom}}) {
    p.MoveTo(kPlotLeft, top);
    p.LineTo(kPlotRight, top);
    p.LineTo(kPlotRight, bottom);
    p.LineTo(kPlotLeft, bottom);
    p.LineTo(kPlotLeft, top);
  }
}

}  // namespace oxi::print_parts
