#pragma once
#include "platform/gdi/color.h"

namespace oxi {

// Day table colours: the month scan writes them, the calendar frames each day with them.
inline constexpr Colorref kDayTableEmpty = Rgb(255, 255, 255);  // no record that day
inline constexpr Colorref kDayTableMarked = Rgb(255, 0, 255);   // at least one record

}  // namespace oxi
