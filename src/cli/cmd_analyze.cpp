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
  StoreArgs store;
};

bool ParseOption(const std::string& arg, const std::string& value, AnalyzeArgs& out) {
  if (const std::optional<bool> taken = TakeAnalysisOption(arg, value, out.parameters)) {
    return *taken;
  }
  if (const std::optional<bool> taken = TakeStoreOption(arg, value, out.store)) return *taken;
  if (arg != "--format") return false;
  const std::optional<ReportFormat> format = ParseReportFormat(value);
  if (!format) return false;
  out.format = *format;
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
  if (!out.store.root.empty()) return out.records.empty();
  return !out.records.empty() && !out.store.datesGiven;
}

// The records to analyse, each with the name the report gives it.
std::vector<std::pair<std::string, fs::path>> RecordsOf(const AnalyzeArgs& args) {
  std::vector<std::pair<std::string, fs::path>> records;
  for (const std::string& name : args.records) records.emplace_back(name, PathFromUtf8(name));
  if (args.store.root.empty()) return records;
  for (const StoredRecord& r : ListStoredRecords(DataRootBelow(args.store.root))) {
    if (r.date >= args.store.from && r.date <= args.store.to) {
      records.emplace_back(PathToUtf8(r.path), r.path);
    }
  }
  return records;
}

int RunAnalyze(const std::vector<std::string>& argv) {
  AnalyzeArgs args;
  if (!Parse(argv, args)) return FailUsage(kName);
  if (!args.store.root.empty()) {
    const std::string noStore = NoStoreBelow(args.store.root);
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
  const std::string written = WriteOutput(args.store.output, report.Finish());
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
