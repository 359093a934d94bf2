#pragma once
#include <array>

#include "app/day_table.h"
#include "graph/visible_window.h"
#include "platform/gdi/color.h"

namespace oxi {

// Lengths and limits of the two drawn scroll bars.
inline constexpr int kListTrackLength = 137;  // list thumb track, pixels
inline constexpr int kListVisibleRows = 8;
inline constexpr int kGraphVisibleSamples = kWindowSamples;  // samples the graph shows at once

// Look of a drawn button or spin arrow.
enum ButtonState { kButtonNormal = 0, kButtonHovered = 1, kButtonPressed = 2 };

// What the main screen shows and how far the user has scrolled, pointed and pressed.
// One plain struct owned by the main window; the pointer loops end when a nested handler
// changes one of these fields.
struct ScreenState {
  int shownYear = 0;                                        // 0..99, meaning 2000 + value
  int shownMonth = 1;                                       // 1..12
  std::array<Colorref, 31> dayTable = MakeEmptyDayTable();  // index day - 1

  int hoveredDay = -1;          // 0 = none
  int previousArrowHover = -1;  // -1, 0, 1
  int nextArrowHover = -1;

  int dayListCount = 0;  // 0..512; the names live in the store
  int listTop = 0;
  int listThumbPosition = 0;
  int listThumbLength = kListTrackLength;  // 2..137
  int listHeld = 0;
  bool listThumbHeld = false;  // the held part is the thumb: a movement over it drags it
  int listDrawnThumbPosition = 0;
  int listDrawnTop = 0;  // list top the day list was last drawn from
  int listGrabY = 0;
  int listBarHover = 0;  // 0 none, 1 up arrow, 2 down arrow, 3 thumb
  int hoveredRow = -1;

  int graphOffset = 0;
  int graphThumbWidth = kGraphTrackLength;
  int graphHeld = 0;
  bool graphThumbHeld = false;  // the held part is the thumb: a movement over it drags it
  int graphDrawnOffset = 0;
  int graphGrabX = 0;
  int graphBarHover = -1;  // -1 .. 3: none yet, none, left arrow, right arrow, thumb

  int screenMode = 0;  // 0 nothing loaded yet, kMeasurementShown once one is shown

  int downloadButtonState = kButtonNormal;
  int printButtonState = kButtonNormal;
  int saveButtonState = kButtonNormal;
  int spinUpState = kButtonNormal;
  int spinDownState = kButtonNormal;

  int movingAverageWindow = 1;  // 1..100

  static constexpr std::array<Colorref, 31> MakeEmptyDayTable() {
    std::array<Colorref, 31> t{};
    for (auto& c : t) c = kDayTableEmpty;
    return t;
  }
};

// The list thumb length for a day list of `count` entries.
constexpr int ListThumbLengthFor(int count) {
  return count <= kListVisibleRows ? kListTrackLength : 1096 / count;
}

// The graph thumb width for a measurement of `samples` samples.
constexpr int GraphThumbWidthFor(int samples) {
  return samples <= kGraphVisibleSamples ? kGraphTrackLength : 1526400 / samples;
}

}  // namespace oxi
