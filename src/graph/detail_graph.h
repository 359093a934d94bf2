#pragma once
#include "graph/display_series.h"
#include "platform/gdi/dc.h"
#include "store/current_measurement.h"

namespace oxi {

// Size of the graph control and the part of it the graph itself occupies.
inline constexpr int kGraphControlWidth = 720;
inline constexpr int kGraphControlHeight = 685;

// Draws the detail graph of `m`, its curves along the rows of `series`, onto the graph
// control, scrolled to `graphOffset` along the 424-pixel track of a thumb
// `graphThumbWidth` wide. The offset is clamped to the track and the clamped value
// stored back.
void DrawDetailGraph(SurfaceDc& control, const CurrentMeasurement& m, const DisplaySeries& series,
                     int& graphOffset, int graphThumbWidth);

}  // namespace oxi
