// oxitool export: records as files of the open formats (FIT, SNIRF, UTF-8 CSV), either
// the record files named or every record of a store.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/store_options.h"
#include "export/file_export.h"
#include "export/open_format.h"
#include "platform/fs/files.h"
#include "platform/ui/process_signals.h"
#include "store/stored_records.h"

namespace oxi::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kName = "export";

struct ExportArgs {
  std::optional<OpenFormat> format;
  ExportOptions options;
  std::vector<fs::path> records;
  fs::path output;  // -o: the one record's file
  fs::path folder;  // -d: where the files go
  fs::path root;    // --root: the store's start-up folder
  DateRange dates;
};

bool ParseOption(const std::string& arg, const std::string& value, ExportArgs& out) {
  if (arg == "--format") {
    out.format = ParseOpenFormat(value);
    return out.format.has_value();
  }
  fs::path* path = arg == "-o"       ? &out.output
                   : arg == "-d"     ? &out.folder
                   : arg == "--root" ? &out.root
                                     : nullptr;
  if (path) {
    if (!path->empty()) return false;
    *path = PathFromUtf8(value);
    return !path->empty();
  }
  int* date = arg == "--from" ? &out.dates.from : arg == "--to" ? &out.dates.to : nullptr;
  const std::optional<int> parsed = ParseDate(value);
  if (!date || !parsed) return false;
  *date = *parsed;
  return true;
}

bool Parse(const std::vector<std::string>& args, ExportArgs& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--bom") {
      out.options.byteOrderMark = true;
    } else if (!arg.empty() && arg[0] == '-') {
      if (i + 1 >= args.size() || !ParseOption(arg, args[i + 1], out)) return false;
      ++i;
    } else {
      out.records.push_back(PathFromUtf8(arg));
    }
  }
  if (!out.format) return false;
  if (!out.root.empty()) return out.records.empty() && out.output.empty() && !out.folder.empty();
  const bool datesGiven = out.dates.from != DateRange{}.from || out.dates.to != DateRange{}.to;
  return !out.records.empty() && !datesGiven && (out.output.empty() || out.folder.empty());
}

// Prints each failure on its line; the exit status says whether there was any, or what
// stopped the export early (the file being written then was finished whole).
int Report(const std::vector<std::string>& errors, const RecordExporter& exporter) {
  for (const std::string& e : errors) Fail(e);
  if (InterruptRequested()) {
    Note("stopped; " + std::to_string(exporter.Written()) + " files written");
    return InterruptExitStatus();
  }
  return errors.empty() ? 0 : 1;
}

int RunExport(const std::vector<std::string>& argv) {
  ExportArgs args;
  if (!Parse(argv, args)) return FailUsage(kName);
  if (!Supported(*args.format)) {
    return Fail(std::string(InfoOf(*args.format).name) +
                ": this build has no SNIRF support (it was built without HDF5)");
  }
  if (!args.output.empty() && args.records.size() > 1) {
    return Fail("-o takes the file of one record; use -d DIR for several");
  }
  RecordExporter exporter(*args.format, args.options);
  if (!args.root.empty()) {
    const std::string noStore = NoStoreBelow(args.root);
    if (!noStore.empty()) return Fail(noStore);
    return Report(ExportStore(args.root, args.folder, args.dates, exporter, InterruptRequested),
                  exporter);
  }
  std::error_code ec;
  if (!args.folder.empty() && !fs::create_directories(args.folder, ec) && ec) {
    return Fail(PathToUtf8(args.folder) + ": cannot be created");
  }
  std::vector<std::string> errors;
  for (const fs::path& record : args.records) {
    if (InterruptRequested()) break;
    std::string error = args.output.empty() ? exporter.ExportInto(record, args.folder)
                                            : exporter.ExportTo(record, args.output);
    if (!error.empty()) errors.push_back(std::move(error));
  }
  return Report(errors, exporter);
}

const CommandRegistration kExport(
    {kName,
     "--format fit|snirf|csv [--bom] (FILE.oxi... [-o OUT | -d DIR] | --root DIR -d OUT "
     "[--from YYYY-MM-DD] [--to YYYY-MM-DD])",
     "records as FIT, SNIRF or UTF-8 CSV files; --root: every record of the store below DIR, "
     "one folder per device in OUT",
     RunExport});

}  // namespace
}  // namespace oxi::cli
