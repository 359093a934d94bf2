#pragma once
#include "platform/gdi/color.h"
#include "platform/gdi/dc.h"

namespace oxi {

// Where the main window's painted controls sit in its client area, and their sizes.
struct ControlRect {
  int x;
  int y;
  int width;
  int height;
};

inline constexpr int kFaceWidth = 1024;
inline constexpr int kFaceHeight = 738;
inline constexpr ControlRect kGraphControl = {20, 15, 720, 685};
inline constexpr ControlRect kCalendarControl = {755, 60, 250, 290};
inline constexpr ControlRect kListControl = {755, 355, 250, 180};

// The light grey of the window's face and the frame colour of the calendar and day list.
inline constexpr Colorref kFaceGrey = Rgb(245, 245, 245);
inline constexpr Colorref kControlFrame = Rgb(113, 111, 100);
// The font of the window's labels and button captions.
inline const Font kScreenFont = {kScreenFace, 16, 0};

// A point of the client area seen from a control's own origin.
struct ControlPoint {
  int dx;
  int dy;
};
constexpr ControlPoint ToControl(const ControlRect& control, int x, int y) {
  return {x - control.x, y - control.y};
}

// A line from (x0, y0) to (x1, y1), drawn as LineTo draws it: the end point not painted.
struct Segment {
  int x0;
  int y0;
  int x1;
  int y1;
};

// A rectangle whose right and bottom edges are exclusive, as Rectangle takes it.
struct FillRect {
  int left;
  int top;
  int right;
  int bottom;
};

// A pixel position.
struct PixelPoint {
  int x;
  int y;
};

}  // namespace oxi
