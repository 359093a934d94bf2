#pragma once
// A 300 s exercise bout whose analysis is worked out by hand: 70 % until 60 s, a straight
// fall to 30 % at 120 s, a floor until 150 s, then a recovery 70 - 40 e^(-(t - 150) / 20).
#include <cmath>
#include <cstdint>

#include "graph/test_measurement.h"

namespace oxi::testing {

inline constexpr int kBoutSamples = 300;
inline constexpr int kOneSecond = 10;  // the rate byte, 0.1 s

// StO2 of the bout at second `t`, in the record's 0.1 % steps.
inline std::int16_t Bout(int t) {
  double percent = 70;
  if (t >= 60 && t <= 120) percent = 70 - (t - 60) * 40.0 / 60;
  if (t > 120) percent = 30;
  if (t > 150) percent = 70 - 40 * std::exp(-(t - 150) / 20.0);
  return static_cast<std::int16_t>(std::lround(percent * 10));
}

// `n` samples of bouts one after another; samples `invalidFrom`..`invalidTo` invalid.
inline CurrentMeasurement Bouts(int n, int rate, int invalidFrom = -1, int invalidTo = -1) {
  return MakeMeasurement(n, rate, [=](int i) {
    const bool invalid = i >= invalidFrom && i <= invalidTo;
    return Sample{invalid ? std::int16_t{-1} : Bout(i % kBoutSamples), 120, 60, 40};
  });
}

}  // namespace oxi::testing
