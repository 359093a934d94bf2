#pragma once
#include <functional>

#include "store/current_measurement.h"
#include "store/record_file.h"

namespace oxi::testing {

// A loaded measurement of `n` samples made by `sample`, dated 2008-03-15 09:05, fat
// thickness 5.5 mm.
inline CurrentMeasurement MakeMeasurement(int n, int rate,
                                          const std::function<Sample(int)>& sample) {
  CurrentMeasurement m;
  m.year = 8;
  m.month = 3;
  m.day = 15;
  m.hour = 9;
  m.minute = 5;
  m.fatThickness = 55;
  m.rate = rate;
  m.EnsureCapacity(n);
  for (int i = 0; i < n; ++i) {
    const Sample s = sample(i);
    m.sto2[i] = s.sto2;
    m.hr[i] = s.hr;
    m.oxhb[i] = s.oxhb;
    m.dxhb[i] = s.dxhb;
  }
  m.n = n;
  m.title = n > 0 ? "2008_0315_0905" : "no-data";
  return m;
}

inline CurrentMeasurement MakeConstant(int n, int rate, Sample s) {
  return MakeMeasurement(n, rate, [s](int) { return s; });
}

}  // namespace oxi::testing
