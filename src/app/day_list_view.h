#pragma once
#include <string>
#include <vector>

#include "platform/gdi/dc.h"

namespace oxi {

// The day list shows eight rows of the chosen day's records from entry `top` on.
inline constexpr int kDayListRows = 8;
inline constexpr Colorref kHoveredRowBackground = Rgb(0, 224, 255);

// "2008年03月15日09時05分" for the record 0803150905.oxi.
std::string DayListRowText(const std::string& recordName);

// Redraws the list's text area with the rows of `names` from entry `top` and its frame on
// the list control. Returns `count`.
int DrawDayList(SurfaceDc& control, const std::vector<std::string>& names, int count, int top);

// What a hover at `row` does to a list of `count` entries whose hovered row is
// `hoveredRow`: the row hovered afterwards, and whether the list must be redrawn for it.
struct HoverChange {
  int row;
  bool redraw;
};
HoverChange HoverRowChange(int count, int hoveredRow, int row);

// Highlights `row` (0..7) or none (-1) of the list drawn from `top`, redrawing only when the
// highlighted row changes; `hoveredRow` holds the row highlighted now. Returns the new
// hovered row.
int HoverRow(SurfaceDc& control, const std::vector<std::string>& names, int count, int top,
             int& hoveredRow, int row);

}  // namespace oxi
