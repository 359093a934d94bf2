#include "views/analysis_chart.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "graph/draw_steps.h"
#include "platform/text/text_format.h"
#include "res/texts.h"
#include "store/elapsed_time.h"
#include "views/analysis_layout.h"
#include "views/view_drawing.h"

namespace oxi {
namespace {

using namespace analysis_layout;

constexpr int kFullScale = 100;  // %
// Time ticks fall on the first of these steps (seconds) that gives few enough of them.
constexpr std::array<int, 20> kTickSteps{1,     2,     5,     10,    15,     30,    60,
                                         120,   300,   600,   900,   1800,   3600,  7200,
                                         10800, 21600, 43200, 86400, 172800, 345600};

void ShadeEpisodes(Dc& dc, const Analysis& a) {
  const std::size_t n = a.smoothed.size();
  for (std::size_t k = 0; k < a.episodes.size(); ++k) {
    const Episode& e = a.episodes[k];
    const int from = ChartColumn(e.peakIndex, n);
    const int to = ChartColumn(e.recoveryMaxIndex.value_or(static_cast<int>(n) - 1), n);
    FillArea(dc, {from, kPlotTop, to - from + 1, kPlotBottom - kPlotTop + 1},
             kEpisodeShades[k % kEpisodeShades.size()]);
  }
}

void DrawGridAndLevels(Dc& dc) {
  dc.SelectFont(kSmallFont);
  for (int percent = 0; percent <= kFullScale; percent += kGridPercent) {
    const int row = ChartRow(percent);
    if (percent > 0 && percent < kFullScale) {
      dc.SelectPen(Pen{kGrid});
      DrawLine(dc, kPlotLeft, row, kPlotRight + 1, row);
    }
    TextEndingAt(dc, kLevelLabelRight, row + kLevelLabelDy, FormatText("%d", percent));
  }
}

void DotZoneEdges(Dc& dc, const Analysis& a) {
  for (const Zone& z : a.zones) {
    if (!z.from) continue;
    const int row = ChartRow(*z.from);
    for (int x = kPlotLeft; x <= kPlotRight; x += kZoneDotSpacing) dc.SetPixel(x, row, kZoneEdge);
  }
}

// The trace two rows thick, as the main window draws its curves; a stretch without a level
// leaves a gap.
void DrawTrace(Dc& dc, const Analysis& a) {
  const std::size_t n = a.smoothed.size();
  dc.SelectPen(Pen{kTrace});
  bool drawing = false;
  int lastX = 0, lastY = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (std::isnan(a.smoothed[i])) {
      drawing = false;
      continue;
    }
    const int x = ChartColumn(static_cast<double>(i), n);
    const int y = ChartRow(a.smoothed[i]);
    if (drawing && (x != lastX || y != lastY)) {
      DrawLine(dc, lastX, lastY, x, y);
      DrawLine(dc, lastX, lastY - 1, x, y - 1);
    }
    dc.SetPixel(x, y, kTrace);
    dc.SetPixel(x, y - 1, kTrace);
    drawing = true;
    lastX = x;
    lastY = y;
  }
}

// A triangle pointing down onto (x, y).
void DrawFloorMarker(Dc& dc, int x, int y) {
  dc.SelectPen(Pen{kMinimumMarker});
  for (int dy = 0; dy <= kMarkerRadius; ++dy) DrawLine(dc, x - dy, y - dy, x + dy + 1, y - dy);
}

// A diamond round (x, y).
void DrawHalfMarker(Dc& dc, int x, int y) {
  dc.SelectPen(Pen{kHalfMarker});
  for (int dy = -kMarkerRadius; dy <= kMarkerRadius; ++dy) {
    const int half = kMarkerRadius - std::abs(dy);
    DrawLine(dc, x - half, y + dy, x + half + 1, y + dy);
  }
}

void MarkEpisodes(Dc& dc, const Analysis& a) {
  const std::size_t n = a.smoothed.size();
  for (const Episode& e : a.episodes) {
    DrawFloorMarker(dc, ChartColumn(e.minIndex, n), ChartRow(e.min));
    if (!e.halfRecoverySeconds || !e.recoveryMax) continue;
    const double index = (e.minSeconds + *e.halfRecoverySeconds) / a.rateSeconds;
    DrawHalfMarker(dc, ChartColumn(index, n), ChartRow(e.min + (*e.recoveryMax - e.min) / 2));
  }
}

std::string TimeLabel(int seconds) {
  const Hms t = SplitSeconds(seconds);
  if (seconds < kSecondsPerHour) return FormatText(texts::kShortTimeFormat, t.minutes, t.seconds);
  return FormatText(texts::kScreenLongTimeFormat, t.hours, t.minutes, t.seconds);
}

void DrawTimeScale(Dc& dc, const Analysis& a) {
  if (a.smoothed.size() < 2) return;
  const double duration = static_cast<double>(a.smoothed.size() - 1) * a.rateSeconds;
  int step = kTickSteps.back();
  for (int candidate : kTickSteps) {
    if (duration / candidate <= kMostTimeTicks) {
      step = candidate;
      break;
    }
  }
  dc.SelectFont(kSmallFont);
  dc.SelectPen(Pen{kFrame});
  for (int t = 0; t <= duration; t += step) {
    const int x = ChartColumn(t / a.rateSeconds, a.smoothed.size());
    const int below = kChartFrame.y + kChartFrame.height;
    DrawLine(dc, x, below, x, below + kTickLength);
    const std::string label = TimeLabel(t);
    TextCentredIn(dc, {x - kWidth / 2, kTimeLabelY, kWidth, kSmallFont.height}, label);
  }
}

void DrawLegend(Dc& dc) {
  dc.SelectFont(kSmallFont);
  ToolRect swatch = kLegendShade;
  for (Colorref shade : kEpisodeShades) {
    FillArea(dc, swatch, shade);
    swatch.x += swatch.width;
  }
  FrameArea(dc, {kLegendShade.x, kLegendShade.y, swatch.x - kLegendShade.x, kLegendShade.height},
            kFrame);
  dc.TextOutUtf8(kLegendShadeTextX, kLegendY, texts::kLegendEpisode);
  const int markerY = kLegendY + kLegendMarkerDy;
  DrawFloorMarker(dc, kLegendMinimumX, markerY + kMarkerRadius / 2);
  dc.TextOutUtf8(kLegendMinimumX + kLegendMarkerTextDx, kLegendY, texts::kLegendMinimum);
  DrawHalfMarker(dc, kLegendHalfX, markerY);
  dc.TextOutUtf8(kLegendHalfX + kLegendMarkerTextDx, kLegendY, texts::kLegendHalfRecovery);
}

bool HasLevel(const Analysis& a) {
  return std::any_of(a.smoothed.begin(), a.smoothed.end(), [](double v) { return !std::isnan(v); });
}

}  // namespace

int ChartColumn(double index, std::size_t n) {
  if (n < 2) return kPlotLeft;
  const double span = kPlotRight - kPlotLeft;
  return kPlotLeft + static_cast<int>(std::lround(index * span / static_cast<double>(n - 1)));
}

int ChartRow(double percent) {
  const double clamped = std::clamp(percent, 0.0, static_cast<double>(kFullScale));
  return kPlotBottom - static_cast<int>(std::lround(clamped * kRowsPerPercent));
}

void DrawAnalysisChart(Dc& dc, const Analysis& a) {
  dc.SetBkMode(BkMode::kTransparent);
  dc.SetTextColor(kText);
  FillArea(dc, kChartFrame, kPlot);
  FrameArea(dc, kChartFrame, kFrame);
  const bool levels = HasLevel(a);
  if (levels) ShadeEpisodes(dc, a);
  DrawGridAndLevels(dc);
  if (levels) {
    DotZoneEdges(dc, a);
    DrawTrace(dc, a);
    MarkEpisodes(dc, a);
    DrawTimeScale(dc, a);
  } else {
    dc.SelectFont(kLabelFont);
    TextCentredIn(dc, kChartFrame, texts::kNoSamples);
  }
  DrawLegend(dc);
}

}  // namespace oxi
