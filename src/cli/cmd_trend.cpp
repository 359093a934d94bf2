// oxitool trend: the figures of every record of a store, a row per record by start, as
// CSV, JSON or a PNG of each figure against date.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "analysis/trend_cache.h"
#include "analysis/trend_report.h"
#include "cli/command.h"
#include "cli/output.h"
#include "cli/store_options.h"
#include "cli/terminal_diagnostics.h"
#include "platform/fs/files.h"
#include "store/stored_records.h"
#include "views/trend_plot.h"

namespace oxi::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kName = "trend";

enum class TrendFormat { kCsv, kJson, kPng };

struct TrendArgs {
  TrendQuery query;
  TrendFormat format = TrendFormat::kCsv;
  StoreArgs store;
};

std::optional<TrendFormat> ParseFormat(const std::string& name) {
  if (name == "csv") return TrendFormat::kCsv;
  if (name == "json") return TrendFormat::kJson;
  if (name == "png") return TrendFormat::kPng;
  return std::nullopt;
}

bool ParseOption(const std::string& arg, const std::string& value, TrendArgs& out) {
  if (const std::optional<bool> taken = TakeAnalysisOption(arg, value, out.query.parameters)) {
    return *taken;
  }
  if (const std::optional<bool> taken = TakeStoreOption(arg, value, out.store)) return *taken;
  if (arg == "--device" && !value.empty()) {
    out.query.device = value;
  } else if (arg == "--format" && ParseFormat(value)) {
    out.format = *ParseFormat(value);
  } else {
    return false;
  }
  return true;
}

bool Parse(const std::vector<std::string>& args, TrendArgs& out) {
  for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
    if (!ParseOption(args[i], args[i + 1], out)) return false;
  }
  return args.size() % 2 == 0 && !out.store.root.empty();
}

int RunTrend(const std::vector<std::string>& argv) {
  TrendArgs args;
  if (!Parse(argv, args)) return FailUsage(kName);
  args.query.from = args.store.from;
  args.query.to = args.store.to;
  const std::string noStore = NoStoreBelow(args.store.root);
  if (!noStore.empty()) return Fail(noStore);
  TerminalDiagnostics diagnostics;
  const TrendResult result = StoreFigures(DataRootBelow(args.store.root), args.query, diagnostics);
  // A record that cannot be read is named and left out; the others are still written.
  for (const std::string& line : result.unreadable) Note(line);
  const std::size_t zones = args.query.parameters.zones.size() + 1;
  std::string bytes;
  switch (args.format) {
    case TrendFormat::kCsv:
      bytes = TrendCsv(result.figures, zones);
      break;
    case TrendFormat::kJson:
      bytes = TrendJson(result.figures);
      break;
    case TrendFormat::kPng:
      bytes = DrawTrendPlot(result.figures, zones).EncodePng();
      if (bytes.empty()) return Fail(args.store.output + ": the image could not be encoded");
      break;
  }
  const std::string written = WriteOutput(args.store.output, bytes);
  if (!written.empty()) return Fail(written);
  return result.unreadable.empty() ? 0 : 1;
}

const CommandRegistration kTrend(
    {kName,
     "--root DIR [--device ID] [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--delta D] [--smooth S] "
     "[--zones A,B,...] [--format csv|json|png] [-o OUT]",
     "the figures of every record of the store below DIR (StO2, haemoglobin, heart rate, "
     "episodes, zones), a row per record by start, or a plot of each against date",
     RunTrend});

}  // namespace
}  // namespace oxi::cli
