// The analysis of the longest record (65,535 samples at 1 s): exercise bouts of 300 s
// (a fall, a floor, a recovery) with noise and a run of invalid samples every 450, so that
// every step has work: 219 episodes, their slopes and half-recoveries, summary and zones.
// Smoothing over 5 s (the default) and over 60 s: the window's width should not matter.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "analysis/analysis.h"
#include "store/current_measurement.h"

namespace oxi {
namespace {

constexpr int kSamples = 65535;

CurrentMeasurement Bouts() {
  CurrentMeasurement m;
  m.rate = 10;
  m.EnsureCapacity(kSamples);
  std::mt19937 rng(1);
  for (int i = 0; i < kSamples; ++i) {
    const int t = i % 300;
    double percent = t < 60 ? 70 : t <= 120 ? 70 - (t - 60) * 40.0 / 60 : 30;
    if (t > 150) percent = 70 - 40 * std::exp(-(t - 150) / 20.0);
    const bool invalid = (i / 50) % 9 == 4 && i % 50 < 5;
    m.sto2[i] = invalid ? -1
                        : static_cast<std::int16_t>(std::lround(percent * 10) +
                                                    static_cast<int>(rng() % 7) - 3);
    m.hr[i] = static_cast<std::uint8_t>(60 + rng() % 120);
    m.oxhb[i] = static_cast<std::uint8_t>(rng() % 200);
    m.dxhb[i] = static_cast<std::uint8_t>(rng() % 200);
  }
  m.n = kSamples;
  return m;
}

void BM_Analyse65535(benchmark::State& state) {
  static const CurrentMeasurement m = Bouts();
  AnalysisParameters p;
  p.smooth = static_cast<int>(state.range(0));
  std::size_t episodes = 0;
  for (auto _ : state) {
    const Analysis a = Analyse(m, p);
    episodes = a.episodes.size();
    benchmark::DoNotOptimize(a.episodes.data());
  }
  state.counters["episodes"] = static_cast<double>(episodes);
}

// The smoothing span in 0.1 s.
BENCHMARK(BM_Analyse65535)->Arg(50)->Arg(600)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace oxi

BENCHMARK_MAIN();
