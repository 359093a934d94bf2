#pragma once
#include <cstdint>

#include "store/record_file.h"

namespace oxi {

// Sample times count tenths of a second; EffectiveRate and DurationSeconds (record_file.h)
// give the rate that times are computed with and a measurement's length.
inline constexpr int kTenthsPerSecond = 10;
inline constexpr int kSecondsPerHour = 3600;
inline constexpr int kSecondsPerMinute = 60;

struct Hms {
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
};

constexpr Hms SplitSeconds(std::int64_t seconds) {
  return Hms{static_cast<int>(seconds / kSecondsPerHour),
             static_cast<int>(seconds % kSecondsPerHour / kSecondsPerMinute),
             static_cast<int>(seconds % kSecondsPerMinute)};
}

}  // namespace oxi
