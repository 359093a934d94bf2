#pragma once
#include <optional>

namespace oxi {

// Which drawn part of the main window a pointer position (client coordinates) is over.
// Every test is a pure function of the position and the scroll state it depends on.

bool InPreviousMonthArrow(int x, int y);
bool InNextMonthArrow(int x, int y);

struct CalendarCell {
  int column;  // 0..6, Sunday first
  int row;     // 0..5
  bool operator==(const CalendarCell&) const = default;
};
// The calendar cell under the point, whether or not it holds a day.
std::optional<CalendarCell> CalendarCellAt(int x, int y);
// The day of the month in a cell (may lie outside 1..days of the month).
int DayOfCell(const CalendarCell& cell, int firstColumn);

enum class GraphBarPart { kNone, kLeftArrow, kRightArrow, kThumb, kPageLeft, kPageRight };
// First match of left arrow, right arrow, thumb, page left, page right.
GraphBarPart GraphBarPartAt(int x, int y, int offset, int thumbWidth);

enum class ListBarPart { kNone, kUpArrow, kDownArrow, kThumb, kPageUp, kPageDown };
// First match of up arrow, down arrow, thumb, page up, page down.
ListBarPart ListBarPartAt(int x, int y, int position, int thumbLength);

// The day-list row (0..8) a press at the point falls on, or -1.
int DayListRowAt(int x, int y);
// The row a movement at the point hovers for a list of `count` entries, as the hover of
// the day list takes it: -1 outside the rows' columns or above the first row; at most
// min(count, 8).
int HoveredDayListRow(int x, int y, int count);

// Whether the point is inside button control 3, 4, 7, 8 or 9 (edges excluded).
bool InButton(int control, int x, int y);

}  // namespace oxi
