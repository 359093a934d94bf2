#pragma once
#include <optional>
#include <vector>

#include "analysis/trend_figures.h"
#include "platform/gdi/surface.h"

namespace oxi {

// A figure of records against the day they started on, a point per record, and the median
// of each week (Monday to Sunday) drawn as a line over the points.
struct TrendSeries {
  std::vector<double> days;    // days since 2000-01-01, with the time of day as a fraction
  std::vector<double> values;  // the figure, one per day
};
// The records' values of figure `k` (the figures, then each zone's seconds); records
// without a start time or without the value are left out.
TrendSeries SeriesOf(const std::vector<RecordFigures>& records, int k);
// Each week's median: its Monday's day number and the value.
std::vector<std::pair<double, double>> WeeklyMedians(const TrendSeries& s);

// A panel per figure, each with its name, its range and the first and last dates.
Surface DrawTrendPlot(const std::vector<RecordFigures>& records, std::size_t zones);

}  // namespace oxi
