#include "analysis/trend_cache.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <map>
#include <set>
#include <system_error>

#include "analysis/analysis_report.h"
#include "analysis/figures_cache_file.h"
#include "platform/fs/files.h"
#include "platform/fs/folder_reads.h"
#include "platform/fs/safe_write.h"
#include "platform/text/crc32.h"
#include "store/record_file.h"
#include "store/record_reader.h"
#include "store/store_state.h"
#include "store/stored_records.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

// The largest file a record can be; anything longer is refused before it is read.
constexpr std::uintmax_t kMaxRecordBytes =
    kRecordHeaderSize + static_cast<std::uintmax_t>(kMaxRecordSamples) * kSampleSize;

fs::path CacheFile(const fs::path& deviceFolder) {
  return deviceFolder / kCacheFolder / kFiguresCacheName;
}

// The cache of one device folder as it was last written; empty rows when there is none.
ParsedCache ReadCache(const fs::path& deviceFolder, const AnalysisParameters& p,
                      Diagnostics& diagnostics) {
  const fs::path file = CacheFile(deviceFolder);
  std::error_code ec;
  if (!fs::exists(file, ec)) return {};
  // Read at its measured size in one go: it holds a row for each of years of records.
  std::string text;
  fs::file_time_type modified;
  const bool read = ReadMeasured(file, std::numeric_limits<std::uintmax_t>::max(), text,
                                 modified) == MeasuredRead::kRead;
  ParsedCache parsed = read ? ParseFiguresCache(text, p) : ParsedCache{{}, "unreadable"};
  if (!parsed.problem.empty()) {
    diagnostics.Log(PathToUtf8(file) + ": " + parsed.problem + "; made again from the records\n");
  }
  return parsed;
}

void WriteCache(const fs::path& deviceFolder, const FiguresRows& rows, const AnalysisParameters& p,
                Diagnostics& diagnostics) {
  EnsureFolder(deviceFolder / kCacheFolder);
  const fs::path file = CacheFile(deviceFolder);
  const WriteStatus status = WriteFileSafely(file, FormatFiguresCache(rows, p));
  if (status != WriteStatus::kWritten) {
    diagnostics.Log(PathToUtf8(file) + ": not written: " + WriteStatusText(status) + "\n");
  }
}

// What one record is read and decoded into; it serves one record after another, so that
// no record's bytes or samples need arrays of their own.
struct RecordScratch {
  std::string bytes;
  CurrentMeasurement samples;
};

// The figures of one record, from the cache when its row still fits the bytes; a row made
// anew goes into `rows`. Empty, with `error` set, for a record that cannot be read.
std::optional<RecordFigures> FiguresOfRecord(const StoredRecord& r, const AnalysisParameters& p,
                                             FiguresRows& rows, bool& changed, std::string& error,
                                             RecordScratch& scratch) {
  std::string& buffer = scratch.bytes;
  fs::file_time_type modified;
  switch (ReadMeasured(r.path, kMaxRecordBytes, buffer, modified)) {
    case MeasuredRead::kRead:
      break;
    case MeasuredRead::kTooLarge:
      error = StatusText(RecordReader::Status::kTooLarge);
      return std::nullopt;
    case MeasuredRead::kUnreadable:
      error = StatusText(RecordReader::Status::kUnreadable);
      return std::nullopt;
  }
  const std::string record = PathToUtf8(r.path);
  const RecordKey key{buffer.size(), modified.time_since_epoch().count(), Crc32(buffer)};
  const auto cached = rows.find(PathToUtf8(r.path.filename()));
  if (cached != rows.end() && cached->second.key == key) {
    RecordFigures f = cached->second.figures;
    f.record = ValidUtf8(record);
    return f;
  }
  CurrentMeasurement& m = scratch.samples;
  const RecordReader::Status status = DecodeRecord(buffer, m);
  if (status != RecordReader::Status::kOk) {
    error = StatusText(status);
    if (cached != rows.end()) rows.erase(cached), changed = true;
    return std::nullopt;
  }
  RecordFigures f = FiguresOf(record, m, Analyse(m, p));
  CachedFigures row{key, f};
  row.figures.record.clear();
  rows[PathToUtf8(r.path.filename())] = std::move(row);
  changed = true;
  return f;
}

bool InRange(const StoredRecord& r, const TrendQuery& q) {
  return r.date >= q.from && r.date <= q.to;
}

}  // namespace

TrendResult StoreFigures(const fs::path& dataRoot, const TrendQuery& query,
                         Diagnostics& diagnostics, const TrendProgress& progress) {
  // The records asked for, by device folder.
  std::map<std::string, std::vector<StoredRecord>> folders;
  int total = 0;
  for (StoredRecord& r : ListStoredRecords(dataRoot)) {
    if (query.device && r.deviceFolder != DeviceFolderName(*query.device)) continue;
    total += InRange(r, query);
    folders[r.deviceFolder].push_back(std::move(r));
  }
  TrendResult result;
  int done = 0;
  RecordScratch scratch;
  for (const auto& [folder, records] : folders) {
    const fs::path deviceFolder = dataRoot / PathFromUtf8(folder);
    ParsedCache cache = ReadCache(deviceFolder, query.parameters, diagnostics);
    bool changed = !cache.problem.empty();
    // Rows of records that are gone go with them.
    std::set<std::string> present;
    for (const StoredRecord& r : records) present.insert(PathToUtf8(r.path.filename()));
    changed |=
        std::erase_if(cache.rows, [&](const auto& row) { return !present.count(row.first); });
    for (const StoredRecord& r : records) {
      if (!InRange(r, query)) continue;
      std::string error;
      std::optional<RecordFigures> f =
          FiguresOfRecord(r, query.parameters, cache.rows, changed, error, scratch);
      if (f) {
        result.figures.push_back(std::move(*f));
      } else {
        result.unreadable.push_back(PathToUtf8(r.path) + ": " + error);
      }
      ++done;
      if (progress && !progress(done, total)) {
        result.stopped = true;
        break;
      }
    }
    if (changed) WriteCache(deviceFolder, cache.rows, query.parameters, diagnostics);
    if (result.stopped) break;
  }
  std::sort(result.figures.begin(), result.figures.end(), StartsBefore);
  return result;
}

}  // namespace oxi
