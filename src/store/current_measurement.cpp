#include "store/current_measurement.h"

#include <algorithm>
#include <cstdint>

#include "res/texts.h"

namespace oxi {
namespace {

struct SeriesPlacement {
  int fullScale;
  int base;
};
constexpr std::array<SeriesPlacement, kSeriesCount> kPlacement = {{
    {kSto2FullScale, kUpperPlotBase},
    {kHrFullScale, kUpperPlotBase},
    {kHbFullScale, kLowerPlotBase},
    {kHbFullScale, kLowerPlotBase},
    {kHbFullScale, kLowerPlotBase},
}};

void StoreRow(CurrentMeasurement& m, Series s, int i, int value) {
  m.rows[s][i] =
      static_cast<std::int16_t>(DisplayRow(value, kPlacement[s].fullScale, kPlacement[s].base));
}

// Prefix sums (64-bit, one more entry than samples) of the values each sample contributes
// to a window. An invalid sample contributes the values of the last valid sample before
// it, or 0 when there is none; HR is taken as it is.
//
// This is what the window-by-window walk with its carried values amounts to: the window
// start never decreases and moves by at most one sample per step, so the carried values
// are always those of the last valid sample before the window, and inside the window an
// invalid sample repeats the last valid one. Sums over a window are then one difference,
// whatever the window's width.
struct PrefixSums {
  std::vector<std::int64_t> sto2, hr, oxhb, dxhb, tohb;
};

PrefixSums EffectivePrefixSums(const CurrentMeasurement& m) {
  const std::size_t n = static_cast<std::size_t>(m.n);
  PrefixSums p;
  for (auto* v : {&p.sto2, &p.hr, &p.oxhb, &p.dxhb, &p.tohb}) v->assign(n + 1, 0);
  int sto2 = 0, oxhb = 0, dxhb = 0;
  for (std::size_t j = 0; j < n; ++j) {
    if (m.Valid(static_cast<int>(j))) {
      sto2 = m.sto2[j];
      oxhb = m.oxhb[j];
      dxhb = m.dxhb[j];
    }
    p.sto2[j + 1] = p.sto2[j] + sto2;
    p.hr[j + 1] = p.hr[j] + m.hr[j];
    p.oxhb[j + 1] = p.oxhb[j] + oxhb;
    p.dxhb[j + 1] = p.dxhb[j] + dxhb;
    p.tohb[j + 1] = p.tohb[j] + oxhb + dxhb;
  }
  return p;
}

int WindowAverage(const std::vector<std::int64_t>& prefix, std::int64_t lo, std::int64_t hi,
                  std::int64_t count) {
  return static_cast<int>((prefix[hi] - prefix[lo]) / count);
}

}  // namespace

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
  for (auto& series : rows) series.resize(want);
}

int DisplayRow(int a, int fullScale, int base) {
  const std::int64_t scaled = static_cast<std::int64_t>(a) * kPlotRows / fullScale;
  return base + static_cast<int>(std::clamp<std::int64_t>(kPlotRows - scaled, 1, kPlotRows - 1));
}

void ComputeDisplaySeriesUnaveraged(CurrentMeasurement& m) {
  for (int i = 0; i < m.n; ++i) {
    StoreRow(m, kStO2Rows, i, m.sto2[i]);
    StoreRow(m, kHrRows, i, m.hr[i]);
    StoreRow(m, kOxHbRows, i, m.oxhb[i]);
    StoreRow(m, kDxHbRows, i, m.dxhb[i]);
    StoreRow(m, kToHbRows, i, m.oxhb[i] + m.dxhb[i]);
  }
}

MovingAverages ComputeMovingAverages(const CurrentMeasurement& m, int window) {
  // The input offers 1..100; anything below 1 would make a window without samples.
  const std::int64_t w = std::max(window, 1);
  const std::int64_t n = std::max(m.n, 0);
  const std::int64_t half = w / 2;
  const PrefixSums p = EffectivePrefixSums(m);
  MovingAverages a;
  for (auto* v : {&a.sto2, &a.hr, &a.oxhb, &a.dxhb, &a.tohb}) v->resize(n);
  for (std::int64_t i = 0; i < n; ++i) {
    const std::int64_t lo = std::max<std::int64_t>(i - half, 0);
    const std::int64_t hi = std::min(i + half + (w % 2), n);
    const std::int64_t c = std::max<std::int64_t>(hi - lo, 1);
    a.sto2[i] = WindowAverage(p.sto2, lo, hi, c);
    a.hr[i] = WindowAverage(p.hr, lo, hi, c);
    a.oxhb[i] = WindowAverage(p.oxhb, lo, hi, c);
    a.dxhb[i] = WindowAverage(p.dxhb, lo, hi, c);
    a.tohb[i] = WindowAverage(p.tohb, lo, hi, c);
  }
  return a;
}

void ComputeDisplaySeriesAveraged(CurrentMeasurement& m, int window) {
  if (m.n <= 0) return;
  const MovingAverages a = ComputeMovingAverages(m, window);
  for (int i = 0; i < m.n; ++i) {
    StoreRow(m, kStO2Rows, i, a.sto2[i]);
    StoreRow(m, kHrRows, i, a.hr[i]);
    StoreRow(m, kOxHbRows, i, a.oxhb[i]);
    StoreRow(m, kDxHbRows, i, a.dxhb[i]);
    StoreRow(m, kToHbRows, i, a.tohb[i]);
  }
}

}  // namespace oxi
