#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "analysis/analysis_parameters.h"
#include "analysis/trend_figures.h"

namespace oxi {

// What identifies the bytes a row's figures were made from.
struct RecordKey {
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // the file system's modification time, in its own ticks
  std::uint32_t crc = 0;
  bool operator==(const RecordKey&) const = default;
};

struct CachedFigures {
  RecordKey key;
  RecordFigures figures;  // the record's name left empty: the folder tells where it lies
};
// The rows of one device folder's cache, by record file name.
using FiguresRows = std::map<std::string, CachedFigures>;

// The cache file's text: a head line naming the format, the algorithm's version and the
// parameters, a line per row, and an end line that counts the rows, so that a file cut
// anywhere is known. Numbers are written as their bits and names as hex, so that no
// locale, tab or line end in a name can change what is read back.
std::string FormatFiguresCache(const FiguresRows& rows, const AnalysisParameters& parameters);

struct ParsedCache {
  FiguresRows rows;     // empty when the file was made by another algorithm or parameters
  std::string problem;  // why the file could not be read; empty when it could
};
ParsedCache ParseFiguresCache(std::string_view text, const AnalysisParameters& parameters);

}  // namespace oxi
