// The figures of a store of ten years against what a user waits for: three one-hour
// measurements a day in the demo's exercise shape, written as record files into a
// temporary folder (about 11,000 records, 0.2 GB) and removed afterwards. Measured in one
// run: the figures cold (no cache) against reading every record file once, warm (cache
// filled), a month change, and the window's first paint with this store against an empty
// one. --days=N makes the store N days long instead (ten years: 3653); --keep leaves the
// store in place and names its folder, for a profiler to run `oxitool trend` over.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "analysis/trend_cache.h"
#include "app/main_dialog.h"
#include "device/demo_monitor.h"
#include "device/record_decode.h"
#include "platform/d2xx/simulated_d2xx.h"
#include "platform/text/crc32.h"
#include "platform/ui/scripted_platform.h"
#include "store/dates.h"
#include "store/record_file.h"
#include "store/store_state.h"
#include "store/stored_records.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

constexpr const char* kId = "0123456789AB";
constexpr int kTenYears = 3653;  // 2000-01-01 to 2009-12-31
constexpr int kHoursOfDay[] = {7, 12, 18};
constexpr int kSamples = 3600;  // an hour at 1 s
constexpr int kYearBase = 2000;

class DiscardDiagnostics : public Diagnostics {
 public:
  void Log(std::string_view) override {}
};

fs::path MakeFolder(const char* tag) {
  std::string pattern = (fs::temp_directory_path() / (std::string(tag) + "-XXXXXX")).string();
  return ::mkdtemp(pattern.data());
}

// The store: `days` days from 2000-01-01, each with three measurements.
class TenYearStore {
 public:
  TenYearStore(int days, bool keep) : keep_(keep), folder_(MakeFolder("oxi-trend-bench")) {
    const fs::path device = folder_ / kAppDataFolder / kDataRootFolder / DeviceFolderName(kId);
    fs::create_directories(device / "Comment");
    std::mt19937 rng(1);
    int y = 0, mo = 1, d = 1;
    for (int day = 0; day < days; ++day) {
      for (int hour : kHoursOfDay) Write(device, y, mo, d, hour, rng);
      if (++d > DaysInMonth(y, mo)) d = 1, ++mo;
      if (mo > 12) mo = 1, ++y;
    }
  }
  ~TenYearStore() {
    if (keep_) {
      std::printf("store kept in %s\n", folder_.c_str());
      return;
    }
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  const fs::path& Folder() const { return folder_; }
  fs::path DataRoot() const { return DataRootBelow(folder_); }
  void DropCache() const {
    std::error_code ec;
    fs::remove_all(DataRoot() / DeviceFolderName(kId) / kCacheFolder, ec);
  }

 private:
  static void Write(const fs::path& device, int y, int mo, int d, int hour, std::mt19937& rng) {
    RecordHeader h;
    std::copy(kId, kId + kDeviceIdLength, h.deviceId.begin());
    h.year = y, h.month = mo, h.day = d, h.hour = hour, h.minute = 0, h.rate = 10;
    const auto head = EncodeHeader(h);
    std::string bytes(head.begin(), head.end());
    for (const monitor::MonitorSample& s : DemoSamples(rng, kSamples)) {
      const auto b = EncodeSample(ToRecordSample(s));
      bytes.append(b.begin(), b.end());
    }
    std::ofstream(device / RecordFileName(h), std::ios::binary).write(bytes.data(), bytes.size());
  }
  bool keep_;
  fs::path folder_;
};

int g_days = kTenYears;
bool g_keep = false;
TenYearStore& Store() {
  static TenYearStore store(g_days, g_keep);
  return store;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;  // kilobytes on Linux
}

double ChildCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const timeval t[] = {usage.ru_utime, usage.ru_stime};
  double ms = 0;
  for (const timeval& v : t)
    ms += static_cast<double>(v.tv_sec) * 1e3 + static_cast<double>(v.tv_usec) / 1e3;
  return ms;
}

TrendResult Figures() {
  DiscardDiagnostics diagnostics;
  return StoreFigures(Store().DataRoot(), TrendQuery{}, diagnostics);
}

// What `cat` of the store costs: every record file's bytes read once.
void BM_ReadEveryRecord(benchmark::State& state) {
  const std::vector<StoredRecord> records = ListStoredRecords(Store().DataRoot());
  std::vector<char> buffer(1 << 16);
  for (auto _ : state) {
    std::size_t total = 0;
    for (const StoredRecord& r : records) {
      std::FILE* f = std::fopen(r.path.c_str(), "rb");
      for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), f)) > 0;)
        total += got;
      std::fclose(f);
    }
    benchmark::DoNotOptimize(total);
    state.counters["MB"] = static_cast<double>(total) / 1e6;
  }
  state.counters["records"] = static_cast<double>(records.size());
}
BENCHMARK(BM_ReadEveryRecord)->Unit(benchmark::kMillisecond)->Iterations(3);

// The CRC-32 of the store's bytes, one record's worth 10,959 times (held in the processor's
// caches, so only the CRC's own speed counts): the processor's folding where it has it,
// and the tables every processor runs.
template <std::uint32_t (*crc)(std::string_view)>
void BM_Crc32OfTheStoresBytes(benchmark::State& state) {
  const std::vector<StoredRecord> records = ListStoredRecords(Store().DataRoot());
  std::string bytes(kRecordHeaderSize + kSamples * kSampleSize, '\0');
  std::mt19937 rng(2);
  for (char& c : bytes) c = static_cast<char>(rng());
  for (auto _ : state) {
    std::uint32_t all = 0;
    for (std::size_t k = 0; k < records.size(); ++k) all ^= crc(bytes);
    benchmark::DoNotOptimize(all);
  }
  state.counters["MB"] = static_cast<double>(bytes.size() * records.size()) / 1e6;
}
BENCHMARK(BM_Crc32OfTheStoresBytes<Crc32>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Crc32OfTheStoresBytes<Crc32Portable>)->Unit(benchmark::kMillisecond);

void BM_TrendCold(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    Store().DropCache();
    state.ResumeTiming();
    benchmark::DoNotOptimize(Figures().figures.size());
  }
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_TrendCold)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_TrendWarm(benchmark::State& state) {
  Figures();
  for (auto _ : state) benchmark::DoNotOptimize(Figures().figures.size());
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_TrendWarm)->Unit(benchmark::kMillisecond)->Iterations(3);

// The command a user runs, as its own process, with the cache filled: beside this program
// in the build tree.
fs::path g_oxitool;
void BM_OxitoolTrendWarm(benchmark::State& state) {
  Figures();
  const std::string command = "\"" + g_oxitool.string() + "\" trend --root \"" +
                              Store().Folder().string() + "\" --format csv >/dev/null";
  const double before = ChildCpuMs();
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("oxitool trend failed");
  }
  // Its own CPU time, which the wall time of a loaded machine hides.
  state.counters["process_cpu_ms"] =
      (ChildCpuMs() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_OxitoolTrendWarm)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The month scan a press on the calendar's arrow makes, through the months of the store.
void BM_MonthChange(benchmark::State& state) {
  StoreState store;
  store.dataRoot = Store().DataRoot();
  store.currentDeviceId = kId;
  int month = 0;
  for (auto _ : state) {
    const int years = std::max(1, g_days / 366);
    benchmark::DoNotOptimize(ScanMonth(store, month / 12 % years, month % 12 + 1));
    ++month;
  }
}
BENCHMARK(BM_MonthChange)->Unit(benchmark::kMillisecond);

// From a new window to its first whole paint, in a folder holding the store or nothing;
// with `scan`, on to the month's scan the host calls for once that paint is shown and the
// calendar drawn again with its days.
void FirstPaint(benchmark::State& state, const fs::path& folder, bool scan) {
  for (auto _ : state) {
    ScriptedPlatform platform;
    SimulatedD2xx d2xx{platform.GetClock()};
    CMainDialog dialog{platform, d2xx, folder};
    platform.SetTarget(&dialog);
    dialog.OnInitDialog();
    dialog.FullRepaint();
    if (scan) dialog.OnFirstPaintShown();
  }
}

void BM_FirstPaintEmptyStore(benchmark::State& state) {
  const fs::path empty = MakeFolder("oxi-trend-bench-empty");
  FirstPaint(state, empty, false);
  std::error_code ec;
  fs::remove_all(empty, ec);
}
BENCHMARK(BM_FirstPaintEmptyStore)->Unit(benchmark::kMillisecond);

void BM_FirstPaintTenYearStore(benchmark::State& state) {
  FirstPaint(state, Store().Folder(), false);
}
BENCHMARK(BM_FirstPaintTenYearStore)->Unit(benchmark::kMillisecond);

void BM_FirstPaintThenMonthScanTenYearStore(benchmark::State& state) {
  FirstPaint(state, Store().Folder(), true);
}
BENCHMARK(BM_FirstPaintThenMonthScanTenYearStore)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace oxi

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--days=", 7) == 0) oxi::g_days = std::atoi(argv[i] + 7);
    if (std::strcmp(argv[i], "--keep") == 0) oxi::g_keep = true;
  }
  oxi::g_oxitool = fs::absolute(argv[0]).parent_path().parent_path() / "src" / "cli" / "oxitool";
  benchmark::Initialize(&argc, argv);
  oxi::Store();  // made before the clock runs, removed when the program ends
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
