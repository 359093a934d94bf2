#pragma once
#include "analysis/analysis.h"
#include "platform/gdi/dc.h"

namespace oxi {

// The chart of an analysis: the smoothed StO2 trace over the whole record, each episode
// shaded from its peak to its recovery maximum (to the record's end while it has none),
// its floor and its half-recovery point marked, the zone edges dotted; the level and time
// scales; the legend below.
void DrawAnalysisChart(Dc& dc, const Analysis& a);

// Where the chart puts sample `index` (fractional between samples) of a record of `n`
// samples, and a level of `percent`: the column and the row.
int ChartColumn(double index, std::size_t n);
int ChartRow(double percent);

}  // namespace oxi
