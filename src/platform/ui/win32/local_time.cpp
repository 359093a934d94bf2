#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/ui/local_time.h"

namespace oxi {

namespace {

// FILETIME counts 100 ns steps from 1601-01-01 00:00 UTC.
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;
constexpr int kHalfBits = 32;

LocalTime FromSystemTime(const SYSTEMTIME& time) {
  LocalTime t;
  t.year = time.wYear;
  t.month = time.wMonth;
  t.day = time.wDay;
  t.hour = time.wHour;
  t.minute = time.wMinute;
  t.second = time.wSecond;
  return t;
}

}  // namespace

LocalTime CurrentLocalTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return FromSystemTime(now);
}

std::optional<LocalTime> LocalTimeOfUtc(std::int64_t utcSeconds) {
  const std::int64_t since1601 = (utcSeconds + kSecondsFrom1601To1970) * kTicksPerSecond;
  FILETIME ticks{};
  ticks.dwLowDateTime = static_cast<DWORD>(since1601);
  ticks.dwHighDateTime = static_cast<DWORD>(since1601 >> kHalfBits);
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  // The zone's own rules for that date decide whether summer time applies, as below.
  if (!FileTimeToSystemTime(&ticks, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    return std::nullopt;
  }
  return FromSystemTime(local);
}

std::optional<std::int64_t> UtcSecondsOfLocal(const LocalTime& local) {
  SYSTEMTIME wall{};
  wall.wYear = static_cast<WORD>(local.year);
  wall.wMonth = static_cast<WORD>(local.month);
  wall.wDay = static_cast<WORD>(local.day);
  wall.wHour = static_cast<WORD>(local.hour);
  wall.wMinute = static_cast<WORD>(local.minute);
  wall.wSecond = static_cast<WORD>(local.second);
  SYSTEMTIME utc{};
  FILETIME ticks{};
  // The zone's own rules for that date decide whether summer time applies.
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &wall, &utc) ||
      !SystemTimeToFileTime(&utc, &ticks)) {
    return std::nullopt;
  }
  const std::int64_t since1601 =
      (static_cast<std::int64_t>(ticks.dwHighDateTime) << kHalfBits) | ticks.dwLowDateTime;
  return since1601 / kTicksPerSecond - kSecondsFrom1601To1970;
}

}  // namespace oxi
