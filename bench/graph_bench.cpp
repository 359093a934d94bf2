// Cost of the graph, the printed document and the CSV file for typical and long records.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "export/csv_export.h"
#include "graph/detail_graph.h"
#include "graph/print_page.h"
#include "platform/gdi/recording_dc.h"
#include "platform/gdi/surface.h"
#include "store/current_measurement.h"

namespace oxi {
namespace {

constexpr int kHour = 3600;
constexpr int kLongest = 65535;
constexpr int kRate = 10;
constexpr int kMovingAverage = 10;

// Smooth curves with a run of invalid samples every 1500, like a real exercise record.
CurrentMeasurement Record(int n) {
  CurrentMeasurement m;
  m.year = 8;
  m.month = 3;
  m.day = 15;
  m.rate = kRate;
  m.fatThickness = 55;
  m.EnsureCapacity(n);
  for (int i = 0; i < n; ++i) {
    m.sto2[i] = i % 1500 > 1400 ? -1 : static_cast<std::int16_t>(600 + 200 * std::sin(i / 300.0));
    m.hr[i] = static_cast<std::uint8_t>(120 + 50 * std::sin(i / 500.0));
    m.oxhb[i] = static_cast<std::uint8_t>(80 + 40 * std::sin(i / 200.0));
    m.dxhb[i] = static_cast<std::uint8_t>(40 + 20 * std::cos(i / 250.0));
  }
  m.n = n;
  m.title = "2008_0315_0000";
  return m;
}

void DrawGraph(benchmark::State& state, int n, int offset) {
  const CurrentMeasurement m = Record(n);
  DisplaySeries series;
  ComputeDisplaySeriesUnaveraged(m, series);
  Surface control(720, 685);
  SurfaceDc dc(control);
  const int thumb = n <= kHour ? 424 : 1526400 / n;
  int drawn = offset;
  DrawDetailGraph(dc, m, series, drawn, thumb);  // glyphs into the cache
  for (auto _ : state) {
    drawn = offset;
    DrawDetailGraph(dc, m, series, drawn, thumb);
    benchmark::DoNotOptimize(control.Data());
  }
}

void BM_DetailGraphHour(benchmark::State& state) {
  DrawGraph(state, kHour, 0);
}
BENCHMARK(BM_DetailGraphHour)->Unit(benchmark::kMicrosecond);

void BM_DetailGraphLongestMiddle(benchmark::State& state) {
  DrawGraph(state, kLongest, 200);
}
BENCHMARK(BM_DetailGraphLongestMiddle)->Unit(benchmark::kMicrosecond);

void BM_CsvBytesLongest(benchmark::State& state) {
  const CurrentMeasurement m = Record(kLongest);
  for (auto _ : state) benchmark::DoNotOptimize(CsvBytes(m));
}
BENCHMARK(BM_CsvBytesLongest)->Unit(benchmark::kMillisecond);

void BM_PrintedDocumentHour(benchmark::State& state) {
  const CurrentMeasurement m = Record(kHour);
  for (auto _ : state) {
    RecordingDc page;
    DrawPrintedDocument(page, m, kMovingAverage, 1, std::string(1000, 'a'));
    benchmark::DoNotOptimize(page.Ops().data());
  }
}
BENCHMARK(BM_PrintedDocumentHour)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace oxi

BENCHMARK_MAIN();
