#pragma once
#include <QRect>

#include "res/dialog_layout.h"

namespace oxi {

// Dialog layouts are given in dialog units of their 8-point template font: a quarter of
// the average character width (6 pixels) across and an eighth of its height (13 pixels)
// down.
inline constexpr int kDluBaseX = 6;
inline constexpr int kDluBaseY = 13;

constexpr int DluToPixelsX(int units) {
  return units * kDluBaseX / 4;
}
constexpr int DluToPixelsY(int units) {
  return units * kDluBaseY / 8;
}

inline QRect DluRect(int x, int y, int width, int height) {
  return QRect(DluToPixelsX(x), DluToPixelsY(y), DluToPixelsX(width), DluToPixelsY(height));
}

inline QRect DluRect(const dialog_layout::DluRect& r) {
  return DluRect(r.x, r.y, r.width, r.height);
}

}  // namespace oxi
