#pragma once
#include <cstdint>
#include <optional>

namespace oxi {

// A date and time of day on the PC's clock.
struct LocalTime {
  int year = 2000;  // four digits
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  // The year as records, names and the monitor's clock keep it: 0..99 for 2000..2099.
  int TwoDigitYear() const { return year % kYearsPerCentury; }
  static constexpr int kYearsPerCentury = 100;
};

// The machine's local date and time of day now, to the second.
LocalTime CurrentLocalTime();

// Seconds since 1970-01-01 00:00 UTC of a local date and time of this machine's time
// zone; nothing when the zone cannot place it. A time that a daylight-saving change skips
// or repeats is placed as the C library's mktime places it.
std::optional<std::int64_t> UtcSecondsOfLocal(const LocalTime& local);
// The local date and time of this machine's time zone at an instant (seconds since
// 1970-01-01 00:00 UTC), by the zone's rules for that date; nothing when the zone cannot
// place it.
std::optional<LocalTime> LocalTimeOfUtc(std::int64_t utcSeconds);

}  // namespace oxi
