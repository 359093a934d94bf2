// The main screen's drawings as the window makes them: the detail graph of a loaded
// 3600-sample record (smooth curves: /0, jagged ones: /1), the full repaint at 1x, 1.5x, 2x
// and 3x, and one page step of the graph scroll bar (graph and bar redrawn through the
// press handler).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/main_dialog.h"
#include "graph/detail_graph.h"
#include "platform/d2xx/simulated_d2xx.h"
#include "platform/ui/scripted_platform.h"
#include "store/record_file.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

constexpr const char* kId = "0123456789AB";

// Smooth curves as a measurement draws them (slow triangle waves, a run of invalid samples
// every 1500), or jagged ones whose heart rate jumps by 90 beats every 90 samples, which
// makes long vertical lines in every fifteenth column.
enum class Curves { kSmooth, kJagged };

int Triangle(int i, int period, int low, int high) {
  const int phase = i % period;
  const int half = period / 2;
  return low + (high - low) * (phase < half ? phase : period - phase) / half;
}

Sample SampleAt(int i, Curves curves) {
  if (curves == Curves::kJagged) {
    return Sample{static_cast<std::int16_t>(i % 97 == 5 ? -1 : 300 + i % 600),
                  static_cast<std::uint8_t>(80 + i % 90), static_cast<std::uint8_t>(i % 150),
                  static_cast<std::uint8_t>(40 + i % 50)};
  }
  const bool invalid = i % 1500 >= 1400 && i % 1500 < 1410;
  return Sample{static_cast<std::int16_t>(invalid ? -1 : Triangle(i, 900, 450, 750)),
                static_cast<std::uint8_t>(Triangle(i, 1200, 90, 170)),
                static_cast<std::uint8_t>(Triangle(i, 700, 40, 140)),
                static_cast<std::uint8_t>(Triangle(i, 1100, 30, 90))};
}

// A store in a folder of its own holding one record of `samples` samples on 2008-03-15,
// shown in the window after a press on its day.
class LoadedWindow {
 public:
  explicit LoadedWindow(int samples, Curves curves = Curves::kSmooth) {
    WriteRecord(samples, curves);
    platform_.SetTarget(&dialog_);
    dialog_.OnInitDialog();
    dialog_.FullRepaint();
    dialog_.OnFirstPaintShown();
    platform_.QueueDown(970, 219);  // the 15th of March 2008
    platform_.QueueUp(970, 219);
    platform_.RunUntilIdle();
  }
  ~LoadedWindow() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  CMainDialog& Dialog() { return dialog_; }

 private:
  void WriteRecord(int samples, Curves curves) {
    RecordHeader h;
    for (int i = 0; i < kDeviceIdLength; ++i) h.deviceId[i] = kId[i];
    h.year = 8;
    h.month = 3;
    h.day = 15;
    h.hour = 9;
    h.rate = 10;
    const auto head = EncodeHeader(h);
    std::string bytes(head.begin(), head.end());
    for (int i = 0; i < samples; ++i) {
      const auto s = EncodeSample(SampleAt(i, curves));
      bytes.append(s.begin(), s.end());
    }
    const fs::path device = folder_ / "Application Data" / "StO2" / (std::string("OXI") + kId);
    fs::create_directories(device);
    std::ofstream(device / "0803150900.oxi", std::ios::binary).write(bytes.data(), bytes.size());
  }

  static fs::path MakeFolder() {
    std::string pattern = (fs::temp_directory_path() / "oxi-screen-bench-XXXXXX").string();
    return ::mkdtemp(pattern.data());
  }

  fs::path folder_ = MakeFolder();  // before the window, which keeps it as its working folder
  ScriptedPlatform platform_;
  SimulatedD2xx d2xx_{platform_.GetClock()};
  CMainDialog dialog_{platform_, d2xx_, folder_};
};

void BM_DetailGraph3600(benchmark::State& state) {
  LoadedWindow window(3600, state.range(0) ? Curves::kJagged : Curves::kSmooth);
  CMainDialog& dialog = window.Dialog();
  Surface graph(kGraphControlWidth, kGraphControlHeight);
  SurfaceDc dc(graph);
  int offset = 0;
  for (auto _ : state) {
    DrawDetailGraph(dc, dialog.Measurement(), dialog.Series(), offset,
                    dialog.State().graphThumbWidth);
    benchmark::DoNotOptimize(graph.Data());
  }
}
BENCHMARK(BM_DetailGraph3600)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The argument is the scale in quarters: 4 is 1x (the window as it always was), 6 is 1.5x,
// 8 is 2x, 12 is 3x; the surfaces are made at it before the first repaint is timed.
void BM_FullRepaint(benchmark::State& state) {
  LoadedWindow window(3600);
  window.Dialog().OnScaleChanged(Scale::OfSteps(static_cast<int>(state.range(0))));
  for (auto _ : state) window.Dialog().FullRepaint();
}
BENCHMARK(BM_FullRepaint)->Arg(4)->Arg(6)->Arg(8)->Arg(12)->Unit(benchmark::kMicrosecond);

// Alternate page-right and page-left presses on a 7200-sample record.
void BM_GraphPageStep(benchmark::State& state) {
  LoadedWindow window(7200);
  bool right = true;
  for (auto _ : state) {
    window.Dialog().OnLButtonDown(right ? 600 : 235, 688);
    right = !right;
  }
}
BENCHMARK(BM_GraphPageStep)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace oxi

BENCHMARK_MAIN();
