#include "platform/ui/local_time.h"

#include <ctime>

namespace oxi {

namespace {

constexpr int kTmYearBase = 1900;
constexpr int kTmMonthBase = 1;  // tm_mon counts from 0
constexpr int kLastSecond = 59;

// The fields of a broken-down local time.
LocalTime FromTm(const std::tm& tm) {
  LocalTime t;
  t.year = tm.tm_year + kTmYearBase;
  t.month = tm.tm_mon + kTmMonthBase;
  t.day = tm.tm_mday;
  t.hour = tm.tm_hour;
  t.minute = tm.tm_min;
  // A leap second reads as the last ordinary second of its minute.
  t.second = tm.tm_sec > kLastSecond ? kLastSecond : tm.tm_sec;
  return t;
}

}  // namespace

LocalTime CurrentLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return FromTm(tm);
}

std::optional<LocalTime> LocalTimeOfUtc(std::int64_t utcSeconds) {
  const std::time_t instant = static_cast<std::time_t>(utcSeconds);
  std::tm tm{};
  if (!localtime_r(&instant, &tm)) return std::nullopt;
  return FromTm(tm);
}

std::optional<std::int64_t> UtcSecondsOfLocal(const LocalTime& local) {
  std::tm tm{};
  tm.tm_year = local.year - kTmYearBase;
  tm.tm_mon = local.month - kTmMonthBase;
  tm.tm_mday = local.day;
  tm.tm_hour = local.hour;
  tm.tm_min = local.minute;
  tm.tm_sec = local.second;
  tm.tm_isdst = -1;  // the zone's rules say whether summer time applies
  const std::time_t utc = std::mktime(&tm);
  if (utc == static_cast<std::time_t>(-1)) return std::nullopt;
  return static_cast<std::int64_t>(utc);
}

}  // namespace oxi
