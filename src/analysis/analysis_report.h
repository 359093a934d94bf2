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
