#include "store/dates.h"

#include <array>

namespace oxi {
namespace {

constexpr std::array<int, 12> kMonthLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kFebruary = 2;
constexpr int kYearsInRecords = 100;
constexpr int kHoursPerDay = 24;
constexpr int kMinutesPerHour = 60;

}  // namespace

bool IsLeapYear(int year) {
  return year % kLeapCycle == 0;
}

int DaysInMonth(int year, int month) {
  if (month < 1 || month > static_cast<int>(kMonthLengths.size())) return 0;
  return kMonthLengths[month - 1] + (month == kFebruary && IsLeapYear(year) ? 1 : 0);
}

bool IsRealStartTime(int year, int month, int day, int hour, int minute) {
  return year >= 0 && year < kYearsInRecords && day >= 1 && day <= DaysInMonth(year, month) &&
         hour >= 0 && hour < kHoursPerDay && minute >= 0 && minute < kMinutesPerHour;
}

}  // namespace oxi
