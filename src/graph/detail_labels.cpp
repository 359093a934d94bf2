// Grid, titles, scales, header, time axis and frames of the detail graph.
#include <string>
#include <utility>

#include "graph/detail_layout.h"
#include "graph/detail_parts.h"
#include "graph/draw_steps.h"
#include "graph/header_text.h"
#include "graph/scale_labels.h"
#include "graph/time_axis.h"
#include "platform/text/text_format.h"
#include "res/texts.h"

namespace oxi::detail_parts {
namespace {

using namespace detail_layout;

using namespace scale_labels;

int GridRow(int plotTop, int k) {
  return plotTop + kGridStep * k;
}

void DrawHeartRateScale(Dc& dc) {
  for (int k = 0; k < kDivisions; ++k) {
    const int y = GridRow(kUpperTop, k);
    dc.SelectPen(Pen{kGridColor});
    DrawLine(dc, kHrTickLeft, y, kHrTickRight, y);
    DrawColoredText(dc, kHrLabelX, y + kHrLabelDy, kBlack, FormatText("%d", HeartRateAt(k)));
  }
  DrawColoredText(dc, kHrLabelX, kHrZeroY, kBlack, "0");
}

void DrawStO2Scale(Dc& dc) {
  for (int v = kStO2PercentStep; v <= kStO2Percent; v += kStO2PercentStep) {
    const StO2Label label = StO2LabelOf(v);
    DrawColoredText(dc, kStO2LabelX[label.column], kStO2LabelBase - kStO2RowsPerPercent * v, kBlack,
                    label.text);
  }
  DrawColoredText(dc, kStO2LabelX[2], kStO2ZeroY, kBlack, FormatText("%d", 0));
}

void DrawHbScale(Dc& dc) {
  for (int k = 0; k < kDivisions; ++k) {
    const int y = k == 0 ? kHbFirstLabelY : kHbLabelBase + kGridStep * k;
    DrawColoredText(dc, kHbLabelX, y, kBlack, FormatText(texts::kHbScaleFormat, HbHundredthsAt(k)));
  }
  DrawColoredText(dc, kHbLabelX, kHbZeroY, kBlack, texts::kHbZero);
}

void DrawVerticalTitles(Dc& dc) {
  for (int i = 0; i < 3; ++i) {
    DrawColoredText(dc, kHrTitleX, kHrTitleY[i], kBlack, texts::kHeartRateVertical[i]);
  }
  for (int i = 0; i < 4; ++i) {
    DrawColoredText(dc, kStO2TitleX[i], kStO2TitleY[i], kBlack, texts::kStO2Vertical[i]);
  }
  DrawColoredText(dc, kPercentX, kPercentY, kBlack, FormatText(texts::kPercentUnitFormat));
  DrawColoredText(dc, kHbUnitX, kHbUnitY, kBlack, texts::kHbUnit);
}

}  // namespace

void DrawGrid(Dc& dc) {
  dc.SelectPen(Pen{kGridColor});
  for (int k = 1; k < kDivisions; ++k) {
    DrawLine(dc, kGridLeft, GridRow(kUpperTop, k), kPlotRight, GridRow(kUpperTop, k));
    DrawLine(dc, kGridLeft, GridRow(kLowerTop, k), kPlotRight, GridRow(kLowerTop, k));
  }
}

void DrawPlotTitles(Dc& dc) {
  dc.SelectFont(kLargeFont);
  DrawColoredText(dc, kTitleLeft, kUpperTitleY, kStO2TitleColor, texts::kStO2Title);
  DrawColoredText(dc, kHrTitleLeft, kUpperTitleY, kGreen, texts::kHeartRateTitle);
  DrawColoredText(dc, kTitleLeft, kLowerTitleY, kBlue, texts::kOxHbTitle);
  DrawColoredText(dc, kDxHbTitleLeft, kLowerTitleY, kGreen, texts::kDxHbTitle);
  DrawColoredText(dc, kToHbTitleLeft, kLowerTitleY, kToHbTitleColor, texts::kToHbTitle);
}

void DrawAxisLabels(Dc& dc) {
  dc.SelectFont(kLargeFont);
  DrawHeartRateScale(dc);
  DrawStO2Scale(dc);
  DrawHbScale(dc);
  dc.SelectFont(kSmallFont);
  DrawVerticalTitles(dc);
}

void DrawHeader(Dc& dc, const CurrentMeasurement& m) {
  dc.SelectFont(kSmallFont);
  DrawColoredText(dc, kHeaderX, kHeaderY, kBlack,
                  MeasurementHeaderText(m, texts::kScreenHeaderFormat));
}

void DrawTimeAxis(Dc& dc, int windowStart, int rate) {
  dc.SelectPen(Pen{kBlack});
  dc.SelectFont(kSmallFont);
  for (const AxisTick& tick : ScreenTimeTicks(windowStart, rate)) {
    DrawLine(dc, kPlotLeft + tick.p, kLowerBottom, kPlotLeft + tick.p, kTickBottom);
    const int dx = tick.longLabel ? kLongLabelDx : kShortLabelDx;
    DrawColoredText(dc, tick.p + dx, kTickLabelY, kBlack, tick.label);
  }
}

void DrawPlotFrames(Dc& dc) {
  dc.SelectPen(Pen{kBlack});
  for (const auto& [top, bottom] :
       {std::pair{kUpperTop, kUpperBottom}, std::pair{kLowerTop, kLowerBottom}}) {
    const FramedBoxScope scope(dc, {kPlotLeft, top, kPlotRight + 1, bottom + 1, 1, 1});
    DrawOutline(dc, kPlotLeft, top, kPlotRight, bottom);
  }
}

}  // namespace oxi::detail_parts
