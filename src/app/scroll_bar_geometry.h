#pragma once
#include "app/screen_state.h"

namespace oxi {

// Looks of a drawn scroll bar: which part shows which face.
enum ScrollBarLook {
  kLookPlain = -1,  // the list bar after a change of its content; looks like kLookNormal
  kLookNormal = 0,
  kLookFirstArrowHovered = 1,   // left / up
  kLookSecondArrowHovered = 2,  // right / down
  kLookThumbHovered = 3,
  kLookFirstArrowPressed = 4,
  kLookSecondArrowPressed = 5,
  kLookThumbDragged = 6,
};

// An arrow box of a scroll bar, inclusive; its face rows start at faceTop.
struct ArrowBox {
  int left;
  int top;
  int right;
  int bottom;
  int faceTop;
};

// Graph scroll bar, in graph control coordinates: a horizontal band under the graph.
inline constexpr int kGraphBarTop = 665;
inline constexpr int kGraphBarBottom = 681;
inline constexpr ArrowBox kGraphLeftArrow = {198, kGraphBarTop, 214, kGraphBarBottom, kGraphBarTop};
inline constexpr ArrowBox kGraphRightArrow = {642, kGraphBarTop, 658, kGraphBarBottom,
                                              kGraphBarTop};
inline constexpr int kGraphThumbStart = 216;  // left edge of the thumb at offset 0

// List scroll bar, in list control coordinates: a vertical band beside the day list.
inline constexpr int kListBarLeft = 230;
inline constexpr int kListBarRight = 246;
inline constexpr ArrowBox kListUpArrow = {kListBarLeft, 3, kListBarRight, 19, 3};
inline constexpr int kListDownArrowTop = 160;
inline constexpr ArrowBox kListDownArrow = {kListBarLeft, kListDownArrowTop, kListBarRight, 176,
                                            kListDownArrowTop + 1};
inline constexpr int kListThumbStart = 21;  // top edge of the thumb at position 0

}  // namespace oxi
