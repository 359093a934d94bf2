#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "graph/detail_layout.h"
#include "store/current_measurement.h"

namespace oxi {

// The values a plot of a measurement reaches its top at.
inline constexpr int kSto2FullScale = 1000;  // 100.0 %
inline constexpr int kHrFullScale = 200;     // beats per minute
inline constexpr int kHbFullScale = 200;     // 0.200 mM

enum Series { kStO2Rows = 0, kHrRows = 1, kOxHbRows = 2, kDxHbRows = 3, kToHbRows = 4 };
inline constexpr int kSeriesCount = 5;

// Placement of the display series: a value of full scale lands on the row below the plot's
// top frame row (the base), a value of 0 on the row above its bottom frame row.
inline constexpr int kUpperPlotBase = detail_layout::kUpperTop;  // StO2 and HR
inline constexpr int kLowerPlotBase = detail_layout::kLowerTop;  // oxHb, dxHb, toHb
inline constexpr int kPlotRows = detail_layout::kUpperBottom - detail_layout::kUpperTop;

// The pixel rows the detail graph draws a measurement with: one per sample for each of the
// five curves, in the order of `Series`. Made from the measurement after it loaded, and
// again whenever the moving-average window changes; the arrays grow with the measurement
// and never shrink.
struct DisplaySeries {
  DisplaySeries();
  // Grows every array to hold at least `samples` entries.
  void EnsureCapacity(int samples);

  std::array<std::vector<std::int16_t>, kSeriesCount> rows;
};

// Fills all five display series from the samples' own values.
void ComputeDisplaySeriesUnaveraged(const CurrentMeasurement& m, DisplaySeries& series);
// Fills all five display series from the moving averages over `window` samples; without
// samples nothing changes.
void ComputeDisplaySeriesAveraged(const CurrentMeasurement& m, int window, DisplaySeries& series);

// Row of value `a` in a plot of `fullScale` whose top frame row is `base`: strictly inside
// the plot, a larger value higher up. Inline so the per-sample loops divide by a constant.
constexpr int DisplayRow(int a, int fullScale, int base) {
  // Every value above full scale lands on the top row and every negative one on the
  // bottom row, so bounding `a` first changes no row and keeps the product in range.
  const int bounded = std::clamp(a, -1, fullScale + 1);
  return base + std::clamp(kPlotRows - bounded * kPlotRows / fullScale, 1, kPlotRows - 1);
}

}  // namespace oxi
