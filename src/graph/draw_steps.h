#pragma once
#include <string_view>

#include "platform/gdi/dc.h"

namespace oxi {

// A line from (x0, y0) to (x1, y1) with the selected pen, the end point not painted.
inline void DrawLine(Dc& dc, int x0, int y0, int x1, int y1) {
  dc.MoveTo(x0, y0);
  dc.LineTo(x1, y1);
}

// Text in `color` with its top-left corner at (x, y), in the selected font.
inline void DrawColoredText(Dc& dc, int x, int y, Colorref color, std::string_view utf8) {
  dc.SetTextColor(color);
  dc.TextOutUtf8(x, y, utf8);
}

// The closed outline of the rectangle from (left, top) to (right, bottom), both corners
// painted: each side stops where the next begins.
inline void DrawOutline(Dc& dc, int left, int top, int right, int bottom) {
  dc.MoveTo(left, top);
  dc.LineTo(right, top);
  dc.LineTo(right, bottom);
  dc.LineTo(left, bottom);
  dc.LineTo(left, top);
}

}  // namespace oxi
