#pragma once
#include <chrono>
#include <cstdint>
#include <optional>

#include "store/current_measurement.h"

namespace oxi {

// One sample as the open formats write it: each value in the record's own steps, or
// nothing where the program shows the value as missing (an invalid StO2 takes the three
// Hb values with it; a heart rate outside the counted range is no heart rate).
struct SampleValues {
  std::optional<int> sto2;       // 0.1 %
  std::optional<int> heartRate;  // beats per minute
  std::optional<int> oxhb;       // 0.001 mM
  std::optional<int> dxhb;       // 0.001 mM
  std::optional<int> tohb;       // 0.001 mM, oxHb + dxHb
};
SampleValues ValuesOf(const CurrentMeasurement& m, int i);

// A date and time of day on the calendar, without a time zone.
struct CivilTime {
  int year = 1970;  // four digits
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};
// Seconds from 1970-01-01 00:00 to `t` on the same clock, and back.
std::int64_t CivilSeconds(const CivilTime& t);
CivilTime CivilOf(std::int64_t seconds);

// When a measurement started: the monitor's clock runs on the PC's local time, so the
// header holds local time; the formats that carry absolute times need it in UTC as well.
struct MeasurementStart {
  CivilTime local;
  std::int64_t utc = 0;  // seconds since 1970-01-01 00:00 UTC
  // The local time `tenths` of a second after the start: the samples count real seconds,
  // so the instant is the start's plus them, told in the zone's time of that instant. A
  // summer-time change during a measurement moves it as it moves every clock, and no time
  // the change skipped is ever given.
  CivilTime LocalAfter(std::int64_t tenths) const;
};

// The start of `m` placed in this machine's time zone; nothing when the header's date and
// time is no real time (a damaged record).
std::optional<MeasurementStart> StartOf(const CurrentMeasurement& m);

}  // namespace oxi
