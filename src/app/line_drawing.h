#pragma once
#include <span>

#include "app/screen_layout.h"
#include "platform/gdi/dc.h"

namespace oxi {

// One line with the selected pen, its end point not painted.
inline void DrawSegment(Dc& dc, int x0, int y0, int x1, int y1) {
  dc.MoveTo(x0, y0);
  dc.LineTo(x1, y1);
}
inline void DrawSegment(Dc& dc, const Segment& s) {
  DrawSegment(dc, s.x0, s.y0, s.x1, s.y1);
}

// Every segment of a fixed figure with one pen.
inline void DrawSegments(Dc& dc, const Pen& pen, std::span<const Segment> segments) {
  dc.SelectPen(pen);
  for (const Segment& s : segments) DrawSegment(dc, s);
}

// Single pixels of one colour.
inline void DrawPixels(Dc& dc, Colorref color, std::span<const PixelPoint> points) {
  for (const PixelPoint& p : points) dc.SetPixel(p.x, p.y, color);
}

// One solid pen of one pixel.
constexpr Pen SolidPen(Colorref color) {
  return Pen{color, 1};
}

}  // namespace oxi
