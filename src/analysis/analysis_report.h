#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "analysis/analysis.h"
#include "store/current_measurement.h"

namespace oxi {

// The forms an analysis of records is written in: a readable table, one CSV row per
// episode, or one JSON object per record.
enum class ReportFormat { kText, kCsv, kJson };
std::optional<ReportFormat> ParseReportFormat(std::string_view name);

// The values of one record that every file written about it names it by.
struct RecordFacts {
  std::string record;                // the file as named, in UTF-8
  std::string device;                // the header's device ID, printable
  std::optional<std::string> start;  // local ISO 8601; empty when the header's is no time
  std::string rate;                  // seconds per sample, as written
};
RecordFacts FactsOf(const std::string& record, const CurrentMeasurement& m, const Analysis& a);

// A file name is bytes on some systems; what the files write is UTF-8 throughout: `text`
// with every byte that is no UTF-8 replaced.
std::string ValidUtf8(std::string_view text);
// `text` as a JSON string, quotes included.
std::string JsonString(std::string_view text);
// A CSV cell: quoted when it holds a separator, a quote or a line end.
std::string CsvCell(const std::string& text);

// The analyses of several records, one after another, as one file in one format.
class AnalysisReport {
 public:
  explicit AnalysisReport(ReportFormat format);

  // The analysis `a` of the measurement `m` read from the record file `record` (as named).
  void Add(const std::string& record, const CurrentMeasurement& m, const Analysis& a);
  // The whole file.
  std::string Finish() const;

 private:
  ReportFormat format_;
  std::string body_;
  int records_ = 0;
};

}  // namespace oxi
