// oxitool csv: the CSV file of record files, byte for byte what the Save button writes.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/command.h"
#include "export/csv_export.h"
#include "export/record_file_load.h"
#include "graph/text_format.h"
#include "res/texts.h"

namespace oxi::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kName = "csv";

struct CsvArgs {
  std::vector<fs::path> records;
  fs::path output;  // -o: the one file's CSV
  fs::path folder;  // -d: where each record's "<title>.csv" goes
};

bool Parse(const std::vector<std::string>& args, CsvArgs& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "-o" && hasValue && out.output.empty()) {
      out.output = args[++i];
    } else if (arg == "-d" && hasValue && out.folder.empty()) {
      out.folder = args[++i];
    } else if (!arg.empty() && arg[0] != '-') {
      out.records.emplace_back(arg);
    } else {
      return false;
    }
  }
  return !out.records.empty() && (out.output.empty() || out.folder.empty());
}

// Where the CSV of a record titled `title` goes.
fs::path Destination(const CsvArgs& args, const std::string& title) {
  if (!args.output.empty()) return args.output;
  const fs::path name = FormatText(texts::kCsvFileFormat, title.c_str());
  return args.folder.empty() ? name : args.folder / name;
}

// Writes one record's CSV; a one-line error and false when that fails.
bool Export(const CsvArgs& args, const fs::path& record) {
  CurrentMeasurement m;
  const std::string error = LoadRecordFile(record, m);
  if (!error.empty()) {
    Fail(record.string() + ": " + error);
    return false;
  }
  const fs::path target = Destination(args, m.title);
  if (!WriteFileAtomically(target, CsvBytes(m))) {
    Fail(target.string() + ": cannot be written");
    return false;
  }
  return true;
}

int RunCsv(const std::vector<std::string>& argv) {
  CsvArgs args;
  if (!Parse(argv, args)) return FailUsage(kName);
  if (!args.output.empty() && args.records.size() > 1) {
    return Fail("-o takes the CSV of one record; use -d DIR for several");
  }
  bool allWritten = true;
  for (const fs::path& record : args.records) allWritten = Export(args, record) && allWritten;
  return allWritten ? 0 : 1;
}

const CommandRegistration kCsv({kName, "FILE.oxi... [-o OUT.csv | -d DIR]",
                                "the CSV file of each record, as the Save button writes it",
                                RunCsv});

}  // namespace
}  // namespace oxi::cli
