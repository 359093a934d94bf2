#include "store/current_measurement.h"

#include <algorithm>

#include "res/texts.h"
#include "store/window_average.h"

namespace oxi {

CurrentMeasurement::CurrentMeasurement() : title(texts::kNoDataTitle) {
  EnsureCapacity(kInitialSampleCapacity);
}

void CurrentMeasurement::EnsureCapacity(int samples) {
  const std::size_t want = static_cast<std::size_t>(std::max(samples, 0));
  if (sto2.size() >= want) return;
  sto2.resize(want);
  hr.resize(want);
  oxhb.resize(want);
  dxhb.resize(want);
}

MovingAverages ComputeMovingAverages(const CurrentMeasurement& m, int window) {
  MovingAverages a;
  for (auto* v : {&a.sto2, &a.hr, &a.oxhb, &a.dxhb, &a.tohb}) v->resize(std::max(m.n, 0));
  ForEachWindowAverage(m, window, [&a](int i, const WindowAverages& avg) {
    a.sto2[i] = avg.sto2;
    a.hr[i] = avg.hr;
    a.oxhb[i] = avg.oxhb;
    a.dxhb[i] = avg.dxhb;
    a.tohb[i] = avg.tohb;
  });
  return a;
}

}  // namespace oxi
