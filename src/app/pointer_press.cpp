// A press on the main window: month arrows, calendar days, the graph's scroll bar and the
// day list's rows. The arrows and thumbs stay in their loops, pumping messages, until a
// nested movement or release clears the held flag.
#include <algorithm>

#include "app/buttons.h"
#include "app/calendar.h"
#include "app/client_dc.h"
#include "app/main_dialog.h"
#include "app/screen_layout.h"
#include "app/scroll_bar_geometry.h"

namespace oxi {
namespace {

// Presses above this row reach nothing, not even the buttons' top edge.
constexpr int kPressableTop = 20;
constexpr int kFirstMonth = 1;
constexpr int kLastMonth = 12;
constexpr int kFirstYear = 0;
constexpr int kLastYear = 99;
constexpr int kGraphArrowStep = 10;  // pixels of graph offset per repeat

}  // namespace

void CMainDialog::OnLButtonDown(int x, int y) {
  if (y < kPressableTop) return;
  if (InPreviousMonthArrow(x, y)) PressMonthArrow(-1);
  if (InNextMonthArrow(x, y)) PressMonthArrow(+1);
  if (const std::optional<CalendarCell> cell = CalendarCellAt(x, y)) PressCalendar(*cell);
  PressGraphBar(GraphBarPartAt(x, y, state_.graphOffset, state_.graphThumbWidth), x);
  if (const int row = DayListRowAt(x, y); row >= 0) PressDayListRow(row);
  PressListBar(ListBarPartAt(x, y, state_.listThumbPosition, state_.listThumbLength), y);
  PressCommandButtons(x, y);
}

void CMainDialog::PressMonthArrow(int step) {
  int& year = state_.shownYear;
  int& month = state_.shownMonth;
  month += step;
  if (month < kFirstMonth) {
    if (year > kFirstYear) {
      --year;
      month = kLastMonth;
    } else {
      month = kFirstMonth;
    }
  } else if (month > kLastMonth) {
    if (year < kLastYear) {
      ++year;
      month = kFirstMonth;
    } else {
      month = kLastMonth;
    }
  }
  ScanShownMonth();
  DrawCalendarNow();
  DrawMonthArrowMark(step < 0 ? kPreviousMonthArrow : kNextMonthArrow, kBlack);
  state_.dayListCount = 0;
  DrawDayListNow(0);
  DrawListBar(kLookPlain);
}

void CMainDialog::PressCalendar(const CalendarCell& cell) {
  if (!ListDay(cell)) return;
  // A day marked in the table always lists at least one record; should the folder have
  // changed under us, there is nothing to load.
  if (state_.dayListCount == 0 || store_.dayList.empty()) return;
  LoadRecord(store_.dayList[0]);
  DrawGraphAndBar(kLookNormal);
  state_.screenMode = kMeasurementShown;
}

bool CMainDialog::ListDay(const CalendarCell& cell) {
  const int year = state_.shownYear;
  const int month = state_.shownMonth;
  const int day = DayOfCell(cell, FirstColumn(year, month));
  const bool inMonth = day >= 1 && day <= DaysInMonth(year, month);
  if (!inMonth || state_.dayTable[day - 1] == kDayTableEmpty) {
    EmptyDayList();
    DrawDayListNow(0);
    DrawListBar(kLookPlain);
    return false;
  }
  {
    ClientDc dc = OpenDc(SurfaceId::kCalendar);
    DrawDayCell(dc, year, month, cell.column, cell.row, kCellPressed);
  }
  state_.dayListCount = SelectDay(store_, day);
  if (state_.dayListCount > 0) {
    state_.listThumbPosition = 0;
    state_.listTop = 0;
    state_.listThumbLength = ListThumbLengthFor(state_.dayListCount);
  }
  DrawDayListNow(0);
  DrawListBar(kLookPlain);
  return true;
}

bool CMainDialog::ShowStoredRecord(const std::string& device, const std::string& name, int year,
                                   int month, int day) {
  const int shortYear = year - kFirstCenturyYear;
  if (downloading_ || ended_ || device != store_.currentDeviceId || shortYear < kFirstYear ||
      shortYear > kLastYear || CellIndex(shortYear, month, day) < 0) {
    return false;
  }
  if (shortYear != state_.shownYear || month != state_.shownMonth) {
    state_.shownYear = shortYear;
    state_.shownMonth = month;
    ScanShownMonth();
    DrawCalendarNow();
  }
  const int cell = CellIndex(shortYear, month, day);
  if (!ListDay({cell % kCellIndexPerRow, cell / kCellIndexPerRow})) return false;
  const auto row = std::find(store_.dayList.begin(), store_.dayList.end(), name);
  const int index = static_cast<int>(row - store_.dayList.begin());
  if (row == store_.dayList.end() || index >= state_.dayListCount) return false;
  // The row in view: on the list's first page, or at the top of it.
  const int top = std::min(index, std::max(0, state_.dayListCount - kListVisibleRows));
  state_.listTop = index < kListVisibleRows ? 0 : top;
  state_.listThumbPosition = ThumbPositionForTop();
  DrawDayListNow(state_.listTop);
  DrawListBar(kLookPlain);
  LoadRecord(name);
  DrawGraphAndBar(kLookNormal);
  state_.screenMode = kMeasurementShown;
  // The pointer is not on the calendar: the day keeps no pressed frame, as after a click
  // on it once the pointer has left.
  DrawCalendarNow();
  return true;
}

void CMainDialog::PressGraphBar(GraphBarPart part, int x) {
  switch (part) {
    case GraphBarPart::kLeftArrow:
      return StepGraphArrow(-kGraphArrowStep, kLookFirstArrowPressed);
    case GraphBarPart::kRightArrow:
      return StepGraphArrow(kGraphArrowStep, kLookSecondArrowPressed);
    case GraphBarPart::kThumb:
      return DragGraphThumb(x);
    case GraphBarPart::kPageLeft:
    case GraphBarPart::kPageRight:
      state_.graphOffset +=
          part == GraphBarPart::kPageLeft ? -state_.graphThumbWidth : state_.graphThumbWidth;
      DrawGraphAndBar(kLookNormal);
      state_.graphDrawnOffset = state_.graphOffset;
      return;
    case GraphBarPart::kNone:
      if (state_.graphBarHover != kLookNormal) {
        DrawGraphBar(kLookNormal);
        state_.graphBarHover = kLookNormal;
      }
      return;
  }
}

void CMainDialog::StepGraphArrow(int step, int look) {
  state_.graphHeld = 1;
  state_.graphThumbHeld = false;
  DrawGraphBar(look);
  do {
    const int before = state_.graphOffset;
    const int end = step < 0 ? 0 : std::max(0, kGraphTrackLength - state_.graphThumbWidth);
    state_.graphOffset += step;
    const bool pastEnd = step < 0 ? state_.graphOffset < end : state_.graphOffset > end;
    if (pastEnd) {
      state_.graphOffset = end;
      if (step < 0 ? before > end : before < end) {
        DrawGraphAndBar(look);
        state_.graphDrawnOffset = state_.graphOffset;
      }
      return;
    }
    DrawGraphAndBar(look);
    state_.graphDrawnOffset = state_.graphOffset;
    platform_.PumpOneMessage();
  } while (state_.graphHeld == 1);
}

void CMainDialog::DragGraphThumb(int x) {
  state_.graphGrabX = ToControl(kGraphControl, x, 0).dx;
  state_.graphHeld = 1;
  state_.graphThumbHeld = true;
  DrawGraphBar(kLookThumbDragged);
  do {
    if (state_.graphDrawnOffset != state_.graphOffset) {
      DrawGraphAndBar(kLookThumbDragged);
      state_.graphDrawnOffset = state_.graphOffset;
    }
    platform_.PumpOneMessage();
  } while (state_.graphHeld == 1);
  state_.graphThumbHeld = false;
}

void CMainDialog::PressDayListRow(int row) {
  const int index = state_.listTop + row;
  if (index < 0 || index >= state_.dayListCount ||
      index >= static_cast<int>(store_.dayList.size())) {
    return;
  }
  LoadRecord(store_.dayList[index]);
  state_.graphOffset = 0;
  DrawGraphAndBar(kLookNormal);
  state_.screenMode = kMeasurementShown;
  DrawListBar(kLookNormal);
}

}  // namespace oxi
