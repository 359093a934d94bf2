// A record file of any bytes loaded from the store, then both display series computed.
// Input: one control byte (bit 0: give the file the current device's ID so the load gets
// past the ID check; bits 1..7: the moving-average window), then the file's bytes.
#include <algorithm>
#include <cstdint>
#include <string>

#include "app/window_input.h"
#include "fuzz_support.h"
#include "graph/display_series.h"
#include "store/current_measurement.h"
#include "store/load_record.h"
#include "store/record_file.h"
#include "store/store_state.h"

namespace oxi::fuzz {
namespace {

constexpr const char* kDeviceId = "FUZZ00000001";
constexpr const char* kRecordName = "0803150905.oxi";
// Windows up to this many samples are checked against a plain window-by-window sum.
constexpr int kReferenceLimit = 400;

struct Placement {
  int fullScale;
  int base;
};
constexpr Placement kPlacement[kSeriesCount] = {{kSto2FullScale, kUpperPlotBase},
                                                {kHrFullScale, kUpperPlotBase},
                                                {kHbFullScale, kLowerPlotBase},
                                                {kHbFullScale, kLowerPlotBase},
                                                {kHbFullScale, kLowerPlotBase}};

// Every display row of the `n` samples lies strictly inside its plot.
void CheckRows(const DisplaySeries& series, int n) {
  for (int s = 0; s < kSeriesCount; ++s) {
    Check(static_cast<int>(series.rows[s].size()) >= n, "display series shorter than the record");
    for (int i = 0; i < n; ++i) {
      const int row = series.rows[s][i];
      Check(row > kPlacement[s].base && row < kPlacement[s].base + kPlotRows,
            "display row outside its plot", std::to_string(row));
    }
  }
}

// The samples as the file's bytes say (little-endian; a trailing part sample's missing
// bytes are 0).
void CheckSamples(const CurrentMeasurement& m, const std::string& bytes) {
  const long body = static_cast<long>(bytes.size()) - kRecordHeaderSize;
  Check(m.n == (body + kSampleSize - 1) / kSampleSize, "sample count", std::to_string(m.n));
  std::string padded = bytes.substr(kRecordHeaderSize);
  padded.resize(static_cast<std::size_t>(m.n) * kSampleSize, '\0');
  for (int i = 0; i < m.n; ++i) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(padded.data()) + i * kSampleSize;
    Check(m.sto2[i] == static_cast<std::int16_t>(p[0] | p[1] << 8), "StO2 of a sample");
    Check(m.hr[i] == p[2] && m.oxhb[i] == p[3] && m.dxhb[i] == p[4], "HR/Hb of a sample");
  }
}

// The centred window average computed window by window, with an invalid sample standing
// for the last valid one before it (0 when there is none).
void CheckAveragesAgainstPlainSums(const CurrentMeasurement& m, int window) {
  if (m.n > kReferenceLimit) return;
  const MovingAverages a = ComputeMovingAverages(m, window);
  std::vector<std::int64_t> sto2(m.n), oxhb(m.n), dxhb(m.n);
  std::int64_t lastS = 0, lastO = 0, lastD = 0;
  for (int j = 0; j < m.n; ++j) {
    if (m.sto2[j] >= 0) lastS = m.sto2[j], lastO = m.oxhb[j], lastD = m.dxhb[j];
    sto2[j] = lastS, oxhb[j] = lastO, dxhb[j] = lastD;
  }
  const int half = window / 2;
  for (int i = 0; i < m.n; ++i) {
    const int lo = std::max(i - half, 0);
    const int hi = std::min(i + half + window % 2, m.n);
    std::int64_t s = 0, h = 0, o = 0, d = 0;
    for (int j = lo; j < hi; ++j) s += sto2[j], h += m.hr[j], o += oxhb[j], d += dxhb[j];
    const std::int64_t count = std::max(hi - lo, 1);
    Check(a.sto2[i] == s / count && a.hr[i] == h / count, "StO2/HR average", std::to_string(i));
    Check(a.oxhb[i] == o / count && a.dxhb[i] == d / count && a.tohb[i] == (o + d) / count,
          "Hb average", std::to_string(i));
  }
}

}  // namespace
}  // namespace oxi::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace oxi;
  fuzz::Input in(data, size);
  const std::uint8_t control = in.Byte();
  std::string bytes(in.Rest());
  if ((control & 1) && bytes.size() >= static_cast<std::size_t>(kDeviceIdLength)) {
    bytes.replace(0, kDeviceIdLength, fuzz::kDeviceId);
  }
  const int window = kMinWindow + (control >> 1) % kMaxWindow;

  StoreState store;
  store.dataRoot = fuzz::Scratch::Fresh() / "root";
  store.currentDeviceId = fuzz::kDeviceId;
  const auto path = DeviceFolder(store, store.currentDeviceId) / fuzz::kRecordName;
  fuzz::WriteFile(path, bytes);
  std::filesystem::create_directories(CommentFolder(store));

  CurrentMeasurement m;
  std::string comment = "kept";
  const int loaded = LoadRecord(store, fuzz::kRecordName, m, comment);
  const bool idMatches =
      bytes.size() >= static_cast<std::size_t>(kRecordHeaderSize) &&
      SameDeviceId(std::string_view(bytes.data(), kDeviceIdLength), store.currentDeviceId);
  fuzz::Check((loaded == 1) == idMatches, "load result", std::to_string(loaded));
  if (loaded != 1) {
    fuzz::Check(m.n == 0, "a failed load leaves samples");
    return 0;
  }
  fuzz::Check(comment.empty(), "a record without comment file keeps a comment");
  fuzz::CheckSamples(m, bytes);
  DisplaySeries series;
  ComputeDisplaySeriesUnaveraged(m, series);
  fuzz::CheckRows(series, m.n);

  CurrentMeasurement alone;
  fuzz::Check(LoadRecordFile(path, alone).empty(), "the same file fails on its own");
  fuzz::Check(
      alone.n == m.n && std::equal(m.sto2.begin(), m.sto2.begin() + m.n, alone.sto2.begin()),
      "the two loaders disagree");

  fuzz::CheckAveragesAgainstPlainSums(m, window);
  ComputeDisplaySeriesAveraged(m, window, series);
  fuzz::CheckRows(series, m.n);
  return 0;
}
