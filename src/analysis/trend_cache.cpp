#include "analysis/trend_cache.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <limits>
#include <map>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

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

// What became of one record: its figures or why there are none, and what its cache row
// is to become.
struct Outcome {
  bool made = false;  // the record was reached before a stop
  std::optional<RecordFigures> figures;
  std::string error;
  std::optional<CachedFigures> newRow;  // the row made anew from the record's bytes
  bool dropRow = false;                 // the row no longer fits, and nothing replaces it
};

// The figures of one record, from the cache's rows when the record's still fits its bytes,
// else from its analysis. It only reads `rows`, so that records can be made side by side.
Outcome OutcomeOf(const StoredRecord& r, const AnalysisParameters& p, const FiguresRows& rows,
                  RecordScratch& scratch) {
  Outcome o;
  o.made = true;
  std::string& buffer = scratch.bytes;
  fs::file_time_type modified;
  switch (ReadMeasured(r.path, kMaxRecordBytes, buffer, modified)) {
    case MeasuredRead::kRead:
      break;
    case MeasuredRead::kTooLarge:
      o.error = StatusText(RecordReader::Status::kTooLarge);
      return o;
    case MeasuredRead::kUnreadable:
      o.error = StatusText(RecordReader::Status::kUnreadable);
      return o;
  }
  const std::string record = PathToUtf8(r.path);
  const RecordKey key{buffer.size(), modified.time_since_epoch().count(), Crc32(buffer)};
  const auto cached = rows.find(PathToUtf8(r.path.filename()));
  if (cached != rows.end() && cached->second.key == key) {
    o.figures = cached->second.figures;
    o.figures->record = ValidUtf8(record);
    return o;
  }
  CurrentMeasurement& m = scratch.samples;
  const RecordReader::Status status = DecodeRecord(buffer, m);
  if (status != RecordReader::Status::kOk) {
    o.error = StatusText(status);
    o.dropRow = cached != rows.end();
    return o;
  }
  o.figures = FiguresOf(record, m, Analyse(m, p));
  o.newRow = CachedFigures{key, *o.figures};
  o.newRow->figures.record.clear();
  return o;
}

// Fewer records than this to a thread are not worth starting one for.
constexpr std::size_t kRecordsPerThread = 32;
constexpr unsigned kMostThreads = 4;

unsigned ThreadsFor(std::size_t records) {
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t useful = std::max<std::size_t>(1, records / kRecordsPerThread);
  return static_cast<unsigned>(std::min<std::size_t>({cores, kMostThreads, useful}));
}

// How many records the other threads may run ahead of the last count `progress` was told.
// It bounds what is made after a stop is asked for, however late the telling thread gets
// to run, and it is wide enough that the others seldom wait for it.
constexpr std::size_t kMostAheadOfProgress = 16;

// The outcomes of `asked`, each in its own slot, made by as many threads as there are
// cores to spare: this one among them, the only one that tells `progress` (which may
// dispatch a window's messages) how many are done of `total`, counting from `done`. It
// tells after each record it makes and, once none is left to take, after each the others
// finish, so the count reaches the total. Each thread holds one record's bytes and samples
// at a time. False when the progress asked to stop; records not reached then are left
// unmade.
bool MakeOutcomes(const std::vector<const StoredRecord*>& asked, const AnalysisParameters& p,
                  const FiguresRows& rows, std::vector<Outcome>& out, int& done, int total,
                  const TrendProgress& progress) {
  out.assign(asked.size(), Outcome{});
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex lock;
  std::condition_variable changed;
  // Guarded by `lock`.
  std::size_t finished = 0;
  std::size_t told = 0;
  std::size_t helpersRunning = 0;
  const auto mayTake = [&](std::size_t i) { return !progress || i < told + kMostAheadOfProgress; };
  const auto make = [&](std::size_t i, RecordScratch& scratch) {
    out[i] = OutcomeOf(*asked[i], p, rows, scratch);
    const std::lock_guard<std::mutex> held(lock);
    ++finished;
    changed.notify_all();
  };
  bool stoppedByProgress = false;
  // Once a stop is asked for, the records still being made are counted but not told.
  const auto tell = [&](std::size_t now) {
    if (progress && !stop && !progress(done + static_cast<int>(now), total)) {
      stoppedByProgress = true;
      stop = true;
    }
    const std::lock_guard<std::mutex> held(lock);
    told = now;
    changed.notify_all();
  };
  const auto helper = [&](std::exception_ptr& failure) {
    try {
      RecordScratch scratch;
      for (std::size_t i = next++; i < asked.size() && !stop; i = next++) {
        {
          std::unique_lock<std::mutex> held(lock);
          changed.wait(held, [&] { return stop || mayTake(i); });
        }
        if (stop) break;
        make(i, scratch);
      }
    } catch (...) {
      failure = std::current_exception();
      stop = true;
    }
    const std::lock_guard<std::mutex> held(lock);
    --helpersRunning;
    changed.notify_all();
  };
  std::vector<std::thread> helpers;
  std::vector<std::exception_ptr> failures(ThreadsFor(asked.size()));
  helpersRunning = failures.size() - 1;
  for (std::size_t t = 1; t < failures.size(); ++t) {
    helpers.emplace_back(helper, std::ref(failures[t]));
  }
  try {
    RecordScratch scratch;
    for (std::size_t i = next++; i < asked.size() && !stop; i = next++) {
      make(i, scratch);
      std::size_t now = 0;
      {
        const std::lock_guard<std::mutex> held(lock);
        now = finished;
      }
      tell(now);
    }
    for (;;) {
      std::size_t now = 0;
      {
        std::unique_lock<std::mutex> held(lock);
        changed.wait(held, [&] { return helpersRunning == 0 || finished != told; });
        if (finished == told) break;
        now = finished;
      }
      tell(now);
    }
  } catch (...) {
    failures[0] = std::current_exception();
    stop = true;
    const std::lock_guard<std::mutex> held(lock);
    changed.notify_all();
  }
  for (std::thread& h : helpers) h.join();
  for (const std::exception_ptr& f : failures) {
    if (f) std::rethrow_exception(f);
  }
  done += static_cast<int>(finished);
  return !stoppedByProgress;
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
  std::vector<Outcome> outcomes;
  for (const auto& [folder, records] : folders) {
    const fs::path deviceFolder = dataRoot / PathFromUtf8(folder);
    ParsedCache cache = ReadCache(deviceFolder, query.parameters, diagnostics);
    bool changed = !cache.problem.empty();
    // Rows of records that are gone go with them.
    std::set<std::string> present;
    for (const StoredRecord& r : records) present.insert(PathToUtf8(r.path.filename()));
    changed |=
        std::erase_if(cache.rows, [&](const auto& row) { return !present.count(row.first); });
    std::vector<const StoredRecord*> asked;
    for (const StoredRecord& r : records) {
      if (InRange(r, query)) asked.push_back(&r);
    }
    result.stopped =
        !MakeOutcomes(asked, query.parameters, cache.rows, outcomes, done, total, progress);
    // The rows change only now, in the records' order, whichever thread made them.
    for (std::size_t i = 0; i < asked.size(); ++i) {
      Outcome& o = outcomes[i];
      if (!o.made) continue;
      const std::string name = PathToUtf8(asked[i]->path.filename());
      if (o.newRow) cache.rows[name] = std::move(*o.newRow), changed = true;
      if (o.dropRow) changed |= cache.rows.erase(name) > 0;
      if (o.figures) {
        result.figures.push_back(std::move(*o.figures));
      } else {
        result.unreadable.push_back(PathToUtf8(asked[i]->path) + ": " + o.error);
      }
    }
    if (changed) WriteCache(deviceFolder, cache.rows, query.parameters, diagnostics);
    if (result.stopped) break;
  }
  std::sort(result.figures.begin(), result.figures.end(), StartsBefore);
  return result;
}

}  // namespace oxi
