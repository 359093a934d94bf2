#pragma once

namespace oxi {

// Two-digit years 0..99 stand for 2000..2099, where every fourth year is a leap year.
inline constexpr int kLeapCycle = 4;
inline constexpr int kFirstCenturyYear = 2000;
bool IsLeapYear(int year);
// Number of days of `month` (1..12) in `year`; 0 for any other month.
int DaysInMonth(int year, int month);
// True when the values name a minute that exists: year 0..99, month 1..12, a day of that
// month, hour 0..23, minute 0..59. Only such a start time can name a record the calendar
// shows.
bool IsRealStartTime(int year, int month, int day, int hour, int minute);

}  // namespace oxi
