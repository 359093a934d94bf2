#pragma once
#include <cstdint>

namespace oxi {

// Sampling intervals are kept in tenths of a second; a stored rate of 0 (or anything not
// positive) counts as one sample a second wherever a time is computed, while the rate
// itself is still shown as stored.
inline constexpr int kTenthsPerSecond = 10;
inline constexpr int kFallbackRate = 10;
constexpr int EffectiveRate(int rate) {
  return rate > 0 ? rate : kFallbackRate;
}

struct Hms {
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
};

inline constexpr int kSecondsPerHour = 3600;
inline constexpr int kSecondsPerMinute = 60;

constexpr Hms SplitSeconds(std::int64_t seconds) {
  return Hms{static_cast<int>(seconds / kSecondsPerHour),
             static_cast<int>(seconds % kSecondsPerHour / kSecondsPerMinute),
             static_cast<int>(seconds % kSecondsPerMinute)};
}

// Whole seconds that `samples` samples at `rate` tenths of a second span.
constexpr std::int64_t DurationSeconds(int samples, int rate) {
  return static_cast<std::int64_t>(samples) * EffectiveRate(rate) / kTenthsPerSecond;
}

}  // namespace oxi
