// Pointer movement over the main window: hover looks, and the thumb drags that the press
// loops draw.
#include <algorithm>

#include "app/buttons.h"
#include "app/calendar.h"
#include "app/main_dialog.h"
#include "app/screen_layout.h"
#include "app/scroll_bar_geometry.h"

namespace oxi {
namespace {

constexpr int kHovered = 1;
constexpr int kNotHovered = 0;

}  // namespace

void CMainDialog::OnMouseMove(int x, int y) {
  MoveOverMonthArrows(x, y);
  MoveOverCalendar(x, y);
  MoveOverGraphBar(x, y);
  HoverRowNow(HoveredDayListRow(x, y, state_.dayListCount));
  MoveOverListBar(x, y);
  MoveOverButtons(x, y);
}

void CMainDialog::MoveOverMonthArrows(int x, int y) {
  auto mark = [&](const ArrowRect& arrow, bool inside, int& hover) {
    if (inside && hover != kHovered) {
      DrawMonthArrowMark(arrow, kBlack);
      hover = kHovered;
    } else if (!inside && hover != kNotHovered) {
      DrawMonthArrowMark(arrow, kWhite);  // white on the white face removes the mark
      hover = kNotHovered;
    }
  };
  mark(kPreviousMonthArrow, InPreviousMonthArrow(x, y), state_.previousArrowHover);
  mark(kNextMonthArrow, InNextMonthArrow(x, y), state_.nextArrowHover);
}

void CMainDialog::MoveOverCalendar(int x, int y) {
  const std::optional<CalendarCell> cell = CalendarCellAt(x, y);
  if (cell) {
    const int day = DayOfCell(*cell, FirstColumn(state_.shownYear, state_.shownMonth));
    if (day == state_.hoveredDay) return;
    DrawDaysThenCell(cell, kCellHoveredEmpty, kCellHoveredWithRecords);
    state_.hoveredDay = day;
  } else if (state_.hoveredDay != 0) {
    DrawDaysThenCell(std::nullopt, kCellHoveredEmpty, kCellHoveredWithRecords);
    state_.hoveredDay = 0;
  }
}

void CMainDialog::MoveOverGraphBar(int x, int y) {
  auto hover = [&](int look) {
    if (state_.graphBarHover == look) return false;
    DrawGraphBar(look);
    state_.graphBarHover = look;
    return true;
  };
  switch (GraphBarPartAt(x, y, state_.graphOffset, state_.graphThumbWidth)) {
    case GraphBarPart::kLeftArrow:
      if (hover(kLookFirstArrowHovered)) state_.graphHeld = 0;
      return;
    case GraphBarPart::kRightArrow:
      if (hover(kLookSecondArrowHovered)) state_.graphHeld = 0;
      return;
    case GraphBarPart::kThumb:
      if (state_.graphHeld == 1 && state_.graphThumbHeld) {
        // A drag moves the offset only; the press loop draws it.
        const int dx = ToControl(kGraphControl, x, y).dx;
        state_.graphOffset = std::clamp(state_.graphOffset + dx - state_.graphGrabX, 0,
                                        std::max(0, kGraphTrackLength - state_.graphThumbWidth));
        state_.graphGrabX = dx;
        return;
      }
      // Sliding off a held arrow onto the thumb leaves the arrow: its repeat ends here.
      state_.graphHeld = 0;
      hover(kLookThumbHovered);
      return;
    default:
      hover(kLookNormal);
      state_.graphHeld = 0;
      return;
  }
}

void CMainDialog::MoveOverListBar(int x, int y) {
  auto hover = [&](int look) {
    if (state_.listBarHover == look) return false;
    DrawListBar(look);
    state_.listBarHover = look;
    return true;
  };
  switch (ListBarPartAt(x, y, state_.listThumbPosition, state_.listThumbLength)) {
    case ListBarPart::kUpArrow:
      if (hover(kLookFirstArrowHovered)) state_.listHeld = 0;
      return;
    case ListBarPart::kDownArrow:
      if (hover(kLookSecondArrowHovered)) state_.listHeld = 0;
      return;
    case ListBarPart::kThumb:
      if (state_.listHeld == 1 && state_.listThumbHeld) {
        const int dy = ToControl(kListControl, x, y).dy;
        const int last = kListTrackLength - state_.listThumbLength;
        state_.listThumbPosition =
            std::clamp(state_.listThumbPosition + dy - state_.listGrabY, 0, std::max(0, last));
        state_.listGrabY = dy;
        return;
      }
      state_.listHeld = 0;
      hover(kLookThumbHovered);
      return;
    default:
      hover(kLookNormal);
      state_.listHeld = 0;
      return;
  }
}

void CMainDialog::MoveOverButtons(int x, int y) {
  for (int control : kButtonControls) {
    int& look = ButtonStateOf(control);
    const bool inside = InButton(control, x, y);
    if (inside && look == kButtonNormal) {
      DrawButtonNow(ButtonCode(control, kButtonHovered));
      look = kButtonHovered;
    } else if (!inside && look != kButtonNormal) {
      DrawButtonNow(ButtonCode(control, kButtonNormal));
      look = kButtonNormal;
    }
  }
}

}  // namespace oxi
