#pragma once
#include <string>
#include <vector>

namespace oxi {

// One tick of a time axis: `p` is its distance from the plot's left edge (screen columns
// or page units), `label` the time it shows and `longLabel` whether that label carries
// hours (it then stands further left to stay centred under the tick).
struct AxisTick {
  int p = 0;
  std::string label;
  bool longLabel = false;
  bool operator==(const AxisTick&) const = default;
};

// Ticks of the screen graph for a window starting at sample `start`: every 900 samples
// (150 columns), the first one at the first multiple of 900 samples at or after the start
// (beyond it when the start is not 0).
std::vector<AxisTick> ScreenTimeTicks(int start, int rate);

// Ticks of the printed graph, which compresses all `n` samples into the plot.
std::vector<AxisTick> PrintTimeTicks(int n, int rate);

// Samples between two printed ticks: 900, or a quarter of a longer measurement rounded
// down to a multiple of 900.
int PrintTickStep(int n);

}  // namespace oxi
