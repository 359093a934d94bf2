#pragma once
#include <vector>

#include "analysis/trend_figures.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/surface.h"
#include "views/trend_series.h"

namespace oxi {

// The colour of a record's point, found nowhere else on a trend plot.
inline constexpr Colorref kTrendPoint = Rgb(70, 110, 200);

// A plot's place and what its edges stand for: days across, the figure's range up.
struct PlotFrame {
  int left, top, right, bottom;  // the plot's pixels, right and bottom excluded
  double day0, day1, low, high;
  int X(double day) const;
  int Y(double value) const;
};

// The range a series is plotted over: its lowest and highest value, one apart at least.
std::pair<double, double> ValueRange(const TrendSeries& s);

// The plot's frame, white inside.
void DrawPlotBox(Dc& dc, const PlotFrame& f);
// The points (squares of 2 * pointHalf + 1 pixels) and the weekly medians as a line over
// them.
void DrawTrendPoints(Dc& dc, const PlotFrame& f, const TrendSeries& s, int pointHalf);

// A panel per figure, each with its name, its range and the first and last dates.
Surface DrawTrendPlot(const std::vector<RecordFigures>& records, std::size_t zones);

}  // namespace oxi
