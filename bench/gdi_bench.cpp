// Cost of the drawing primitives in the shapes the detail graph uses them.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/surface.h"

namespace oxi {
namespace {

constexpr int kGraphWidth = 720;
constexpr int kGraphHeight = 661;
constexpr int kPlotLeft = 60;
constexpr int kPlotTop = 26;
constexpr int kPlotRows = 298;
constexpr int kSegments = 600;
constexpr int kLabels = 60;

// A measured curve over the plot's full width, one point per column: slow waves with a
// little jitter, a few pixels up or down from one column to the next.
std::vector<int> CurveRows() {
  std::vector<int> rows(kSegments + 1);
  for (int i = 0; i <= kSegments; ++i) {
    const double wave = std::sin(i / 40.0) * 0.4 + std::sin(i / 7.0) * 0.05;
    rows[i] = kPlotTop + static_cast<int>((0.5 + wave) * kPlotRows) + (i * 7919) % 5 - 2;
  }
  return rows;
}

void BM_CurveSegments(benchmark::State& state) {
  Surface surface(kGraphWidth, kGraphHeight);
  SurfaceDc dc(surface);
  dc.SelectPen({Rgb(255, 0, 0), 1});
  const std::vector<int> rows = CurveRows();
  for (auto _ : state) {
    // Each segment twice, the second one row lower: the two-pixel-thick curve.
    for (int i = 0; i < kSegments; ++i) {
      dc.MoveTo(kPlotLeft + i, rows[i]);
      dc.LineTo(kPlotLeft + i + 1, rows[i + 1]);
      dc.MoveTo(kPlotLeft + i, rows[i] + 1);
      dc.LineTo(kPlotLeft + i + 1, rows[i + 1] + 1);
    }
    benchmark::DoNotOptimize(surface.Data());
  }
  state.SetItemsProcessed(state.iterations() * kSegments);
}
BENCHMARK(BM_CurveSegments);

void BM_GraphBackgroundFill(benchmark::State& state) {
  Surface surface(kGraphWidth, kGraphHeight);
  SurfaceDc dc(surface);
  dc.SelectPen({kWhite, 1});
  dc.SelectBrush({kWhite});
  for (auto _ : state) {
    dc.Rectangle(0, 0, kGraphWidth, kGraphHeight);
    benchmark::DoNotOptimize(surface.Data());
  }
}
BENCHMARK(BM_GraphBackgroundFill);

// Axis labels and titles as a graph frame draws them, after the glyphs are cached.
void BM_ShortLabels(benchmark::State& state) {
  Surface surface(kGraphWidth, kGraphHeight);
  SurfaceDc dc(surface);
  std::vector<std::string> labels;
  for (int i = 0; i < kLabels; ++i) {
    labels.push_back(i % 3 == 0 ? "0." + std::to_string(10 + i) : std::to_string(200 - i * 3));
  }
  labels[0] = "[心拍数]";
  labels[1] = "[StO2]";
  labels[2] = "1:15:00";
  const Font small{kScreenFace, 16, 0};
  const Font large{kScreenFace, 20, 0};
  auto drawAll = [&] {
    for (int i = 0; i < kLabels; ++i) {
      dc.SelectFont(i % 2 ? small : large);
      dc.TextOutUtf8(20 + (i % 6) * 100, 10 + (i / 6) * 60, labels[i]);
    }
  };
  drawAll();  // warm-up: faces loaded, glyphs rendered once
  for (auto _ : state) {
    drawAll();
    benchmark::DoNotOptimize(surface.Data());
  }
  state.SetItemsProcessed(state.iterations() * kLabels);
}
BENCHMARK(BM_ShortLabels);

void BM_GraphBitBlt(benchmark::State& state) {
  Surface bitmap(kGraphWidth, kGraphHeight, Rgb(1, 2, 3));
  Surface control(kGraphWidth, kGraphHeight + 24);
  SurfaceDc dc(control);
  for (auto _ : state) {
    dc.BitBlt(0, 0, kGraphWidth - 1, kGraphHeight, bitmap, 0, 0);
    benchmark::DoNotOptimize(control.Data());
  }
}
BENCHMARK(BM_GraphBitBlt);

}  // namespace
}  // namespace oxi

BENCHMARK_MAIN();
