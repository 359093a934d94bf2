#include "graph/display_series.h"

#include "store/window_average.h"

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

// A template so each row's full scale is a constant and its division a multiplication.
template <Series kSeries>
void StoreRow(DisplaySeries& s, int i, int value) {
  constexpr SeriesPlacement kAt = kPlacement[kSeries];
  s.rows[kSeries][i] = static_cast<std::int16_t>(DisplayRow(value, kAt.fullScale, kAt.base));
}

}  // namespace

DisplaySeries::DisplaySeries() {
  EnsureCapacity(kInitialSampleCapacity);
}

void DisplaySeries::EnsureCapacity(int samples) {
  const std::size_t want = static_cast<std::size_t>(std::max(samples, 0));
  for (auto& series : rows) {
    if (series.size() < want) series.resize(want);
  }
}

void ComputeDisplaySeriesUnaveraged(const CurrentMeasurement& m, DisplaySeries& s) {
  s.EnsureCapacity(m.n);
  for (int i = 0; i < m.n; ++i) {
    StoreRow<kStO2Rows>(s, i, m.sto2[i]);
    StoreRow<kHrRows>(s, i, m.hr[i]);
    StoreRow<kOxHbRows>(s, i, m.oxhb[i]);
    StoreRow<kDxHbRows>(s, i, m.dxhb[i]);
    StoreRow<kToHbRows>(s, i, m.oxhb[i] + m.dxhb[i]);
  }
}

void ComputeDisplaySeriesAveraged(const CurrentMeasurement& m, int window, DisplaySeries& s) {
  if (m.n <= 0) return;
  s.EnsureCapacity(m.n);
  ForEachWindowAverage(m, window, [&s](int i, const WindowAverages& avg) {
    StoreRow<kStO2Rows>(s, i, avg.sto2);
    StoreRow<kHrRows>(s, i, avg.hr);
    StoreRow<kOxHbRows>(s, i, avg.oxhb);
    StoreRow<kDxHbRows>(s, i, avg.dxhb);
    StoreRow<kToHbRows>(s, i, avg.tohb);
  });
}

}  // namespace oxi
