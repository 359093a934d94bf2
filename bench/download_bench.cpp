// The download through the simulated line in real time: how close a sector read comes to
// the wire time of one sector (a 9-byte command and a 522-byte reply at 32,787 bit/s, ten
// bits a byte: 162 ms), and how little CPU the waiting takes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/download_view.h"
#include "device/commands.h"
#include "device/demo_monitor.h"
#include "device/download.h"
#include "device/link.h"
#include "platform/d2xx/simulated_d2xx.h"
#include "platform/ui/clock.h"
#include "platform/ui/platform.h"
#include "store/store_state.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

const LocalTime kToday{2026, 12, 8, 18, 0, 0};

// Real time for everything but the download's deliberate pauses for the user to read
// the dialog, which are no part of the link's speed.
class NoPauseClock : public Clock {
 public:
  std::int64_t NowMs() override { return real_.NowMs(); }
  void SleepMs(std::int64_t) override {}

 private:
  SystemClock real_;
};

// A window system with nothing to show: waits sleep, boxes and dialogs go nowhere.
class QuietPlatform : public Platform {
 public:
  class NoDialog : public ProgressDialog {
   public:
    void Show() override {}
    void Hide() override {}
    void SetBar(int) override {}
    void SetStatus(const std::string&) override {}
    void SetPercentText(const std::string&) override {}
    void Repaint() override {}
    bool CancelRequested() override { return false; }
    void SetCancellable(bool) override {}
  };
  void PumpOneMessage() override {}
  void TimedWait(int ticks) override { real_.SleepMs(ticks); }
  Clock& GetClock() override { return clock_; }
  LocalTime Now() override { return kToday; }
  void ShowMessageBox(const std::string&, const std::string&) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  void RunIdDialog(IdDialogHandlers&) override {}
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<SaveFileChoice> ChooseSaveFile(const std::string&,
                                               const std::vector<SaveFileType>&) override {
    return std::nullopt;
  }
  std::unique_ptr<PageDc> ShowPrintDialog(const std::string&) override { return nullptr; }
  ProgressDialog& DownloadDialog() override { return dialog_; }
  std::string WindowEditText() override { return ""; }
  void SetWindowEditText(const std::string&) override {}
  void Present(SurfaceId) override {}
  std::unique_ptr<ToolWindow> CreateToolWindow(const ToolWindowForm&, const Surface&,
                                               ToolWindowHandlers&) override {
    return nullptr;
  }
  bool SetClipboardText(const std::string&) override { return false; }
  std::string ApplicationName() override { return "download_bench"; }

 private:
  NoPauseClock clock_;
  SystemClock real_;
  NoDialog dialog_;
};

int SectorsOf(const monitor::MonitorImage& image) {
  int sectors = 1;  // the system sector
  for (const auto& e : monitor::DecodeSystemSector(image.System()).table) {
    sectors += monitor::SectorsFor(e.sampleCount);
  }
  return sectors;
}

// The whole download of the demo monitor (6 measurements): sectors, clock and erase.
void BM_DownloadDemoMonitor(benchmark::State& state) {
  const monitor::MonitorImage image = MakeDemoMonitor({}, kToday);
  const int sectors = SectorsOf(image);
  const fs::path dir = fs::temp_directory_path() / "oxi-download-bench";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(dir);
    fs::create_directories(dir);
    QuietPlatform platform;
    SystemClock line;
    SimulatedD2xx d2xx(line);
    d2xx.AddConverter("Kx47BENCH", std::make_unique<SimulatedMonitor>(image));
    StoreState store;
    StartStore(store, dir, ChooseFirstDevice);
    state.ResumeTiming();
    WindowDownloadEvents events(platform);
    const DownloadResult result = Download(events, d2xx, store);
    if (!result.AllReadAndErased()) state.SkipWithError("download incomplete");
  }
  fs::remove_all(dir);
  state.counters["sectors"] = sectors;
  state.counters["s_per_sector"] = benchmark::Counter(
      sectors, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DownloadDemoMonitor)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Iterations(1)
    ->Repetitions(5);

// One sector read: command out, the reply frame in, nothing else.
void BM_SectorRead(benchmark::State& state) {
  QuietPlatform platform;
  SystemClock line;
  SimulatedD2xx d2xx(line);
  d2xx.AddConverter("Kx47BENCH", std::make_unique<SimulatedMonitor>(MakeDemoMonitor({}, kToday)));
  WindowDownloadEvents events(platform);
  Link link(d2xx, events);
  if (!link.OpenDevice("Kx47BENCH")) state.SkipWithError("cannot open");
  int sector = 1;
  for (auto _ : state) {
    std::string reply;
    if (link.QueryCmd(SectorReadCommand(sector), reply) != QueryResult::kComplete) {
      state.SkipWithError("sector read failed");
    }
    sector = sector % 100 + 1;
  }
}
BENCHMARK(BM_SectorRead)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Iterations(50)
    ->Repetitions(5);

}  // namespace
}  // namespace oxi

BENCHMARK_MAIN();
