// Exporting a whole store to the open formats, as `oxitool export --root` does: 500
// records of one hour each (3600 samples at 1 s), written file by file through the safe
// writer. The counter gives the time per hour of measurement.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "bench_records.h"
#include "export/file_export.h"
#include "store/record_file.h"
#include "store/stored_records.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 500;
constexpr int kSamplesPerHour = 3600;

// A store below a fresh temporary folder with kRecords one-hour records of one device.
class BenchStore {
 public:
  BenchStore() {
    std::string pattern = (fs::temp_directory_path() / "oxi-export-bench-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    const fs::path device = DataRootBelow(root_) / (std::string("OXI") + bench::kBenchDeviceId);
    fs::create_directories(device);
    for (int r = 0; r < kRecords; ++r) {
      RecordHeader h;
      h.year = 26, h.month = 1 + r / 28 % 12, h.day = 1 + r % 28, h.hour = 6 + r % 3;
      h.minute = r / 336;
      bench::WriteBenchRecord(device, h, kSamplesPerHour);
    }
  }
  ~BenchStore() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  const fs::path& Root() const { return root_; }

 private:
  fs::path root_;
};

void BM_ExportStore(benchmark::State& state, OpenFormat format) {
  if (!Supported(format)) {
    state.SkipWithError("this build has no SNIRF support");
    return;
  }
  static const BenchStore store;
  const fs::path out = store.Root() / "out";
  for (auto _ : state) {
    RecordExporter exporter(format, ExportOptions{});
    const std::vector<std::string> errors =
        ExportStore(store.Root(), out, {}, exporter, [] { return false; });
    if (!errors.empty() || exporter.Written() != kRecords) state.SkipWithError("export failed");
  }
  state.counters["per_hour"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kRecords,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(BM_ExportStore, fit, OpenFormat::kFit)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportStore, snirf, OpenFormat::kSnirf)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportStore, csv, OpenFormat::kCsvUtf8)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace oxi

BENCHMARK_MAIN();
