#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/ui/local_time.h"

namespace oxi {

LocalTime CurrentLocalTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  LocalTime t;
  t.year = now.wYear;
  t.month = now.wMonth;
  t.day = now.wDay;
  t.hour = now.wHour;
  t.minute = now.wMinute;
  t.second = now.wSecond;
  return t;
}

namespace {

// FILETIME counts 100 ns steps from 1601-01-01 00:00 UTC.
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

}  // namespace

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
      (static_cast<std::int64_t>(ticks.dwHighDateTime) << 32) | ticks.dwLowDateTime;
  return since1601 / kTicksPerSecond - kSecondsFrom1601To1970;
}

}  // namespace oxi
