// Costs of the store's work on the user-interface thread: loading a record, recomputing
// the averaged display series when the window changes, scanning a full month.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "bench_records.h"
#include "graph/display_series.h"
#include "store/load_record.h"
#include "store/record_file.h"
#include "store/store_state.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

constexpr const char* kId = bench::kBenchDeviceId;

class BenchFolder {
 public:
  BenchFolder() {
    std::string pattern = (fs::temp_directory_path() / "oxi-store-bench-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    store.dataRoot = root_;
    store.currentDeviceId = kId;
    fs::create_directories(DeviceFolder(store, kId) / "Comment");
  }
  ~BenchFolder() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  // A record of `samples` samples with runs of invalid ones, named by its start time.
  std::string Put(int day, int hour, int minute, int samples) {
    RecordHeader h;
    h.year = 8, h.month = 3, h.day = day, h.hour = hour, h.minute = minute;
    return bench::WriteBenchRecord(DeviceFolder(store, kId), h, samples);
  }

  StoreState store;

 private:
  fs::path root_;
};

void BM_LoadRecord(benchmark::State& state) {
  BenchFolder folder;
  const std::string name = folder.Put(15, 9, 5, static_cast<int>(state.range(0)));
  CurrentMeasurement m;
  std::string comment;
  for (auto _ : state) {
    m.recordName.clear();
    benchmark::DoNotOptimize(LoadRecord(folder.store, name, m, comment));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadRecord)->Arg(3600)->Arg(65535)->Unit(benchmark::kMicrosecond);

void BM_AveragedSeries65535(benchmark::State& state) {
  BenchFolder folder;
  const std::string name = folder.Put(15, 9, 5, 65535);
  CurrentMeasurement m;
  std::string comment;
  LoadRecord(folder.store, name, m, comment);
  const int window = static_cast<int>(state.range(0));
  DisplaySeries series;
  for (auto _ : state) {
    ComputeDisplaySeriesAveraged(m, window, series);
    benchmark::DoNotOptimize(series.rows[kToHbRows].data());
  }
}
BENCHMARK(BM_AveragedSeries65535)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_ScanMonth512(benchmark::State& state) {
  constexpr int kMonthRecords = 512;
  BenchFolder folder;
  for (int k = 0; k < kMonthRecords; ++k) folder.Put(1 + k / 24, k % 24, 0, 60);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ScanMonth(folder.store, 8, 3));
    benchmark::DoNotOptimize(folder.store.monthList.size());
  }
}
BENCHMARK(BM_ScanMonth512)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace oxi

BENCHMARK_MAIN();
