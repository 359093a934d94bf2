#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_parameters.h"
#include "analysis/trend_figures.h"
#include "platform/ui/diagnostics.h"

namespace oxi {

// Raised whenever the analysis or the figures made from it change, so that figures an
// earlier program kept are made again rather than trusted.
inline constexpr int kFiguresAlgorithmVersion = 1;

// Where each device folder keeps its figures: a folder the month scan never looks into.
inline constexpr const char* kCacheFolder = "Cache";
inline constexpr const char* kFiguresCacheName = "Figures";

// The records whose figures are asked for.
struct TrendQuery {
  std::optional<std::string> device;  // a device ID; every device when empty
  int from = 0;                       // YYYYMMDD of the first and the last day
  int to = 99991231;
  AnalysisParameters parameters;
};

struct TrendResult {
  std::vector<RecordFigures> figures;   // by start
  std::vector<std::string> unreadable;  // "record: why" for each record left out
  bool stopped = false;                 // the progress asked to stop before the end
};

// Told after each record: how many of the records asked for are done, of how many. False
// stops the work there: the figures made so far are returned and kept in the cache.
using TrendProgress = std::function<bool(int done, int total)>;

// The figures of every record of the store at `dataRoot` that `query` asks for. Each
// device folder keeps them in Cache/Figures, a row per record keyed by its name, size,
// modification time and the CRC-32 of its bytes, under the algorithm's version and the
// parameters: a row whose key still fits the record is taken, any other record analysed
// again. Rows of records that are gone are dropped; rows of records outside the dates are
// kept as they were. A cache that cannot be read is rebuilt with one line to
// `diagnostics`; it is replaced whole through the safe writer, so that of two programs
// filling it at once one wins and neither sees half a file. The records are made on up to
// one thread a core, each holding one record's bytes and samples at a time; `progress` is
// told on the calling thread only, and the result is the same whatever the threads.
TrendResult StoreFigures(const std::filesystem::path& dataRoot, const TrendQuery& query,
                         Diagnostics& diagnostics, const TrendProgress& progress = {});

}  // namespace oxi
