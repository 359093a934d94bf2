#pragma once

namespace oxi {

// The detail graph shows 6 samples per pixel column over 600 columns.
inline constexpr int kSamplesPerColumn = 6;
inline constexpr int kVisibleColumns = 600;
inline constexpr int kWindowSamples = kSamplesPerColumn * kVisibleColumns;
// The length of the graph's scroll bar track, in pixels: the thumb travels along it.
inline constexpr int kGraphTrackLength = 424;

// Samples [start, end) of the measurement that the graph shows.
struct VisibleWindow {
  int start = 0;
  int end = 0;
  bool operator==(const VisibleWindow&) const = default;
};

// The offset of a thumb `thumbWidth` wide, held inside its track.
int ClampGraphOffset(int offset, int thumbWidth);

// The window for a measurement of `n` samples scrolled to `offset` (already clamped).
// The start is a multiple of 6 so that a sample keeps its column while scrolling; at the
// far end it may lie one sample past n - 3600.
VisibleWindow ComputeVisibleWindow(int n, int offset, int thumbWidth);

}  // namespace oxi
