#pragma once
#include <string>
#include <vector>

#include "graph/print_layout.h"
#include "store/current_measurement.h"

// The pieces the printed page is drawn from.
namespace oxi::print_parts {

// The moving averages the printed curves are drawn from, clamped to their plots' ranges
// (StO2 to 0..65535, the others to 0..200).
struct PrintedValues {
  std::vector<int> sto2, hr, oxhb, dxhb;
};
PrintedValues ComputePrintedValues(const CurrentMeasurement& m, int window);

// Grid, titles, scales, units and the time axis of a measurement of `n` samples.
void DrawFrameElements(print_layout::PagePainter& p, int n, int rate);
void DrawHeader(print_layout::PagePainter& p, const CurrentMeasurement& m);
void DrawCurves(print_layout::PagePainter& p, const CurrentMeasurement& m,
                const PrintedValues& values);
void DrawPlotFrames(print_layout::PagePainter& p);

// The whole document from values already computed; what the page's EndDocument says.
bool DrawDocument(PageDc& page, const CurrentMeasurement& m, const PrintedValues& values,
                  int screenMode, const std::string& commentCp932);

}  // namespace oxi::print_parts
