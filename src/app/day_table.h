#pragma once
#include <array>

#include "platform/gdi/color.h"
#include "store/store_state.h"

namespace oxi {

// Day table colours: the calendar frames each day with them.
inline constexpr Colorref kDayTableEmpty = Rgb(255, 255, 255);  // no record that day
inline constexpr Colorref kDayTableMarked = Rgb(255, 0, 255);   // at least one record

using DayTable = std::array<Colorref, kMaxDaysInMonth>;  // index day - 1

// The colour of every day of a month whose days `days` hold records.
inline DayTable DayTableOf(const DaysWithRecords& days) {
  DayTable table{};
  for (int d = 0; d < kMaxDaysInMonth; ++d)
    table[d] = days.test(d) ? kDayTableMarked : kDayTableEmpty;
  return table;
}

}  // namespace oxi
