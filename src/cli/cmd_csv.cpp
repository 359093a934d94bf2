// oxitool csv: the CSV file of record files, byte for byte what the Save button writes.
#include <filesystem>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/output.h"
#include "export/csv_export.h"
#include "export/export_name.h"
#include "platform/text/text_format.h"
#include "platform/ui/process_signals.h"
#include "res/texts.h"
#include "store/load_record.h"

namespace oxi::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kName = "csv";

struct CsvArgs {
  std::vector<std::string> records;
  std::string output;  // -o: the one record's CSV, replaced if it exists; "-": stdout
  std::string folder;  // -d: where each record's "<title>[letter].csv" goes
  bool force = false;  // --force: a CSV of that name in the folder is replaced
};

bool Parse(const std::vector<std::string>& args, CsvArgs& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "-o" && hasValue && out.output.empty()) {
      out.output = args[++i];
    } else if (arg == "-d" && hasValue && out.folder.empty()) {
      out.folder = args[++i];
    } else if (arg == "--force") {
      out.force = true;
    } else if (!arg.empty() && arg[0] != '-') {
      out.records.push_back(arg);
    } else {
      return false;
    }
  }
  return !out.records.empty() && (out.output.empty() || out.folder.empty());
}

// Where the CSV of the loaded record `m` goes: -o's name, else "<title>[letter].csv" in
// the folder (the working folder without -d), so that records of the same minute keep
// apart.
std::string Destination(const CsvArgs& args, const CurrentMeasurement& m) {
  if (!args.output.empty()) return args.output;
  const std::string stem = ExportFileStem(m.recordName, m.title);
  const fs::path name = PathFromUtf8(FormatText(texts::kCsvFileFormat, stem.c_str()));
  return PathToUtf8(args.folder.empty() ? name : PathFromUtf8(args.folder) / name);
}

// Writes one record's CSV; a one-line error and false when that fails.
bool Export(const CsvArgs& args, const std::string& record) {
  CurrentMeasurement m;
  const std::string error = LoadRecordFile(PathFromUtf8(record), m);
  if (!error.empty()) {
    Fail(record + ": " + error);
    return false;
  }
  // -o names one file the user asked for; names made up here never replace an earlier
  // export unless told to.
  const Existing existing =
      args.output.empty() && !args.force ? Existing::kKeep : Existing::kReplace;
  const std::string failure = WriteOutput(Destination(args, m), CsvBytes(m), existing, record);
  if (failure.empty()) return true;
  Fail(failure);
  return false;
}

int RunCsv(const std::vector<std::string>& argv) {
  CsvArgs args;
  if (!Parse(argv, args)) return FailUsage(kName);
  if (!args.output.empty() && args.records.size() > 1) {
    return Fail("-o takes the CSV of one record; use -d DIR for several");
  }
  bool allWritten = true;
  for (const std::string& record : args.records) {
    // Ctrl-C, SIGTERM or SIGHUP: the file being written when it came is finished whole.
    if (InterruptRequested()) break;
    allWritten = Export(args, record) && allWritten;
  }
  if (InterruptRequested()) {
    Note("stopped");
    return InterruptExitStatus();
  }
  return allWritten ? 0 : 1;
}

const CommandRegistration kCsv(
    {kName, "FILE.oxi... [-o OUT.csv | -o - | -d DIR] [--force]",
     "the CSV file of each record, as the Save button writes it; an existing CSV in DIR (or "
     "here) is kept unless --force",
     RunCsv});

}  // namespace
}  // namespace oxi::cli
