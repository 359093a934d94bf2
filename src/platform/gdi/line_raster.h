#pragma once
#include <cstdint>

namespace oxi {

// The pixels of a one-pixel line, walked from its start towards its end point, which is
// never part of the line. They are the pixels Windows GDI paints for a cosmetic pen.
//
// Rule: the axis along which the line moves further is the major axis (x when both are
// equal). The line paints one pixel per major step k = 0 .. |major length| - 1; its minor
// coordinate is the exact line's value at that step rounded to the nearest pixel, an exact
// half going to the smaller coordinate (up, or left), whichever way the line runs:
// minor(k) = minor0 + sign * floor((2k|dminor| + |dmajor| - up) / (2|dmajor|)), where up is 1
// when the minor coordinate grows along the line (sign +1) and 0 when it shrinks. So (0,0)
// to (4,2) paints (0,0) (1,0) (2,1) (3,1), and (4,2) to (0,0) paints (4,2) (3,1) (2,1)
// (1,0): a line and its reverse differ only in the end point they leave out. A 45-degree
// line from (0,0) to (4,4) paints (0,0) (1,1) (2,2) (3,3); a zero-length line paints
// nothing. The same pixels result whichever part is clipped away, so a line clipped to a
// surface is exactly the visible part of the whole.
struct LineSteps {
  int count = 0;  // pixels left to paint; 0: nothing of the line is inside the clip
  int x = 0;      // the first pixel inside the clip
  int y = 0;
  bool xMajor = true;
  int majorStep = 1;       // +1 or -1
  int minorStep = 1;       // +1 or -1
  std::int64_t error = 0;  // Bresenham remainder, 0 <= error < errorLimit
  std::int64_t errorStep = 0;
  std::int64_t errorLimit = 1;
};

// The part of the line from (x0,y0) to (x1,y1) with left <= x < right, top <= y < bottom.
// Any int coordinates work: the clip is solved before walking, without overflow.
LineSteps ClipLine(int x0, int y0, int x1, int y1, int left, int top, int right, int bottom);

template <class Paint>
void WalkLine(LineSteps s, Paint&& paint) {
  for (int i = 0; i < s.count; ++i) {
    paint(s.x, s.y);
    int minor = 0;
    s.error += s.errorStep;
    if (s.error >= s.errorLimit) {
      s.error -= s.errorLimit;
      minor = s.minorStep;
    }
    if (s.xMajor) {
      s.x += s.majorStep;
      s.y += minor;
    } else {
      s.y += s.majorStep;
      s.x += minor;
    }
  }
}

}  // namespace oxi
