// oxitool analyze: what a coach reads from records (the episodes of fall, floor and
// recovery, the summary, the time in each StO2 band), as a table, CSV or JSON.
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/analysis_report.h"
#include "cli/command.h"
#include "cli/output.h"
#include "cli/store_options.h"
#include "export/file_export.h"
#include "platform/fs/files.h"
#include "store/load_record.h"
#include "store/stored_records.h"

namespace oxi::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kName = "analyze";

struct AnalyzeArgs {
  AnalysisParameters parameters;
  ReportFormat format = ReportFormat::kText;
  std::vector<std::string> records;  // as named
  std::string output = kStandardOutputName;
  fs::path root;
  DateRange dates;
  bool datesGiven = false;
};

bool ParseOption(const std::string& arg, const std::string& value, AnalyzeArgs& out) {
  std::optional<int> tenths;
  if (arg == "--delta" && (tenths = ParseDelta(value))) {
    out.parameters.delta = *tenths;
  } else if (arg == "--smooth" && (tenths = ParseSmooth(value))) {
    out.parameters.smooth = *tenths;
  } else if (arg == "--zones") {
    std::optional<std::vector<int>> zones = ParseZones(value);
    if (!zones) return false;
    out.parameters.zones = std::move(*zones);
  } else if (arg == "--format") {
    const std::optional<ReportFormat> format = ParseReportFormat(value);
    if (!format) return false;
    out.format = *format;
  } else if (arg == "-o" && !value.empty()) {
    out.output = value;
  } else if (arg == "--root" && out.root.empty() && !value.empty()) {
    out.root = PathFromUtf8(value);
  } else if (arg == "--from" || arg == "--to") {
    const std::optional<int> date = ParseDate(value);
    if (!date) return false;
    (arg == "--from" ? out.dates.from : out.dates.to) = *date;
    out.datesGiven = true;
  } else {
    return false;
  }
  return true;
}

bool Parse(const std::vector<std::string>& args, AnalyzeArgs& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() > 1 && arg[0] == '-') {
      if (i + 1 >= args.size() || !ParseOption(arg, args[i + 1], out)) return false;
      ++i;
    } else {
      out.records.push_back(arg);
    }
  }
  if (!out.root.empty()) return out.records.empty();
  return !out.records.empty() && !out.datesGiven;
}

// The records to analyse, each with the name the report gives it.
std::vector<std::pair<std::string, fs::path>> RecordsOf(const AnalyzeArgs& args) {
  std::vector<std::pair<std::string, fs::path>> records;
  for (const std::string& name : args.records) records.emplace_back(name, PathFromUtf8(name));
  if (args.root.empty()) return records;
  for (const StoredRecord& r : ListStoredRecords(DataRootBelow(args.root))) {
    if (r.date >= args.dates.from && r.date <= args.dates.to) {
      records.emplace_back(PathToUtf8(r.path), r.path);
    }
  }
  return records;
}

int RunAnalyze(const std::vector<std::string>& argv) {
  AnalyzeArgs args;
  if (!Parse(argv, args)) return FailUsage(kName);
  if (!args.root.empty()) {
    const std::string noStore = NoStoreBelow(args.root);
    if (!noStore.empty()) return Fail(noStore);
  }
  // A record that cannot be read is named and left out; the others are still analysed.
  AnalysisReport report(args.format);
  bool unreadable = false;
  for (const auto& [name, path] : RecordsOf(args)) {
    CurrentMeasurement m;
    const std::string error = LoadRecordFile(path, m);
    if (!error.empty()) {
      unreadable = true;
      Note(name + ": " + error);
      continue;
    }
    report.Add(name, m, Analyse(m, args.parameters));
  }
  const std::string written = WriteOutput(args.output, report.Finish());
  if (!written.empty()) return Fail(written);
  return unreadable ? 1 : 0;
}

const CommandRegistration kAnalyze(
    {kName,
     "(FILE.oxi... | --root DIR [--from YYYY-MM-DD] [--to YYYY-MM-DD]) [--delta D] [--smooth S] "
     "[--zones A,B,...] [--format text|csv|json] [-o OUT]",
     "the episodes of fall, floor and recovery of StO2, the summary and the time in each StO2 "
     "band, of records or of every record of the store below DIR",
     RunAnalyze});

}  // namespace
}  // namespace oxi::cli
