#include "app/hit_regions.h"

#include "app/buttons.h"
#include "app/calendar.h"
#include "app/screen_layout.h"
#include "app/scroll_bar_geometry.h"

namespace oxi {
namespace {

// The day list's rows take the pointer from the control's left edge to just short of the
// scroll bar's right part, below the first row's top.
constexpr int kRowColumnsEnd = 234;  // exclusive
constexpr int kRowsTop = 6;
constexpr int kRowsBottom = 180;  // exclusive
constexpr int kRowPitch = 20;
constexpr int kMaxPressRow = 8;
constexpr int kDaysPerWeek = 7;

bool InArrow(const ArrowRect& a, int x, int y) {
  const ControlPoint p = ToControl(kCalendarControl, x, y);
  return a.left <= p.dx && p.dx <= a.right && a.top <= p.dy && p.dy <= a.bottom;
}

bool Within(int v, int low, int high) {
  return low <= v && v <= high;
}

bool InBox(const ArrowBox& b, int dx, int dy) {
  return Within(dx, b.left, b.right) && Within(dy, b.top, b.bottom);
}

}  // namespace

bool InPreviousMonthArrow(int x, int y) {
  return InArrow(kPreviousMonthArrow, x, y);
}
bool InNextMonthArrow(int x, int y) {
  return InArrow(kNextMonthArrow, x, y);
}

std::optional<CalendarCell> CalendarCellAt(int x, int y) {
  const ControlPoint p = ToControl(kCalendarControl, x, y);
  // Truncating division: a few pixels left of (or above) column 0 (row 0) still count.
  const int column = (p.dx - kCellOriginX) / kCellPitch;
  const int row = (p.dy - kCellOriginY) / kCellPitch;
  if (!Within(column, 0, kCalendarColumns - 1) || !Within(row, 0, kCalendarRows - 1)) {
    return std::nullopt;
  }
  const int x0 = kCellPitch * column + kCellOriginX;
  const int y0 = kCellPitch * row + kCellOriginY;
  if (!Within(p.dx, x0 + kCellFrameLeft, x0 + kCellFrameRight)) return std::nullopt;
  if (!Within(p.dy, y0 + kCellFrameTop, y0 + kCellFrameBottom)) return std::nullopt;
  return CalendarCell{column, row};
}

int DayOfCell(const CalendarCell& cell, int firstColumn) {
  return kDaysPerWeek * cell.row + cell.column + 1 - firstColumn;
}

GraphBarPart GraphBarPartAt(int x, int y, int offset, int thumbWidth) {
  const ControlPoint p = ToControl(kGraphControl, x, y);
  if (!Within(p.dy, kGraphBarTop, kGraphBarBottom)) return GraphBarPart::kNone;
  if (InBox(kGraphLeftArrow, p.dx, p.dy)) return GraphBarPart::kLeftArrow;
  if (InBox(kGraphRightArrow, p.dx, p.dy)) return GraphBarPart::kRightArrow;
  const int thumbLeft = offset + kGraphThumbStart;
  const int thumbRight = thumbLeft + thumbWidth;
  if (Within(p.dx, thumbLeft, thumbRight)) return GraphBarPart::kThumb;
  if (kGraphLeftArrow.left < p.dx && p.dx < thumbLeft) return GraphBarPart::kPageLeft;
  if (thumbRight < p.dx && p.dx < kGraphRightArrow.left) return GraphBarPart::kPageRight;
  return GraphBarPart::kNone;
}

ListBarPart ListBarPartAt(int x, int y, int position, int thumbLength) {
  const ControlPoint p = ToControl(kListControl, x, y);
  if (!Within(p.dx, kListBarLeft, kListBarRight)) return ListBarPart::kNone;
  if (InBox(kListUpArrow, p.dx, p.dy)) return ListBarPart::kUpArrow;
  if (InBox(kListDownArrow, p.dx, p.dy)) return ListBarPart::kDownArrow;
  const int thumbTop = position + kListThumbStart;
  const int thumbBottom = thumbTop + thumbLength;
  if (Within(p.dy, thumbTop, thumbBottom)) return ListBarPart::kThumb;
  if (kListUpArrow.bottom + 1 < p.dy && p.dy < thumbTop - 1) return ListBarPart::kPageUp;
  if (thumbBottom + 1 < p.dy && p.dy < kListDownArrow.top - 1) return ListBarPart::kPageDown;
  return ListBarPart::kNone;
}

int DayListRowAt(int x, int y) {
  const ControlPoint p = ToControl(kListControl, x, y);
  if (p.dx < 0 || p.dx >= kRowColumnsEnd || p.dy < kRowsTop || p.dy >= kRowsBottom) return -1;
  const int row = (p.dy - kRowsTop) / kRowPitch;
  return row <= kMaxPressRow ? row : -1;
}

int HoveredDayListRow(int x, int y, int count) {
  const ControlPoint p = ToControl(kListControl, x, y);
  if (p.dx < 0 || p.dx >= kRowColumnsEnd) return -1;
  if (p.dy < kRowsTop) return -1;
  int row = (p.dy - kRowsTop) / kRowPitch;
  if (row >= count) row = count;
  if (row > kMaxPressRow) row = kMaxPressRow;
  return row;
}

bool InButton(int control, int x, int y) {
  const ButtonRect& r = ButtonRectOf(control);
  return r.left < x && x < r.right && r.top < y && y < r.bottom;
}

}  // namespace oxi
