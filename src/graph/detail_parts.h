#pragma once
#include "graph/display_series.h"
#include "graph/visible_window.h"
#include "platform/gdi/dc.h"
#include "store/current_measurement.h"

// The pieces the detail graph is drawn from, in the order it draws them.
namespace oxi::detail_parts {

void DrawGrid(Dc& dc);
void DrawPlotTitles(Dc& dc);
void DrawAxisLabels(Dc& dc);
void DrawHeader(Dc& dc, const CurrentMeasurement& m);
void DrawCurves(Dc& dc, const CurrentMeasurement& m, const DisplaySeries& series,
                VisibleWindow window);
void DrawTimeAxis(Dc& dc, int windowStart, int rate);
void DrawPlotFrames(Dc& dc);

}  // namespace oxi::detail_parts
