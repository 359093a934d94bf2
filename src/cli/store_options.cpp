#include "cli/store_options.h"

#include <cstdio>
#include <system_error>

#include "platform/fs/files.h"
#include "store/stored_records.h"

namespace oxi::cli {

namespace fs = std::filesystem;

std::optional<int> ParseDate(const std::string& text) {
  int year = 0, month = 0, day = 0;
  char end = 0;
  if (text.size() != 10 ||
      std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &end) != 3 || month < 1 ||
      month > 12 || day < 1 || day > 31) {
    return std::nullopt;
  }
  return year * 10000 + month * 100 + day;
}

std::optional<bool> TakeStoreOption(const std::string& arg, const std::string& value,
                                    StoreArgs& out) {
  if (arg == "-o" && !value.empty()) {
    out.output = value;
  } else if (arg == "--root" && out.root.empty() && !value.empty()) {
    out.root = PathFromUtf8(value);
  } else if (arg == "--from" || arg == "--to") {
    const std::optional<int> date = ParseDate(value);
    if (!date) return false;
    (arg == "--from" ? out.from : out.to) = *date;
    out.datesGiven = true;
  } else {
    return arg == "-o" || arg == "--root" ? std::optional<bool>(false) : std::nullopt;
  }
  return true;
}

std::optional<bool> TakeAnalysisOption(const std::string& arg, const std::string& value,
                                       AnalysisParameters& p) {
  std::optional<int> tenths;
  if (arg == "--delta" && (tenths = ParseDelta(value))) {
    p.delta = *tenths;
  } else if (arg == "--smooth" && (tenths = ParseSmooth(value))) {
    p.smooth = *tenths;
  } else if (arg == "--zones") {
    std::optional<std::vector<int>> zones = ParseZones(value);
    if (!zones) return false;
    p.zones = std::move(*zones);
  } else {
    return arg == "--delta" || arg == "--smooth" ? std::optional<bool>(false) : std::nullopt;
  }
  return true;
}

std::string NoStoreBelow(const fs::path& root) {
  std::error_code ec;
  if (fs::is_directory(DataRootBelow(root), ec)) return {};
  return PathToUtf8(root) + ": holds no store (no " + PathToUtf8(DataRootBelow(fs::path())) +
         " folder)";
}

}  // namespace oxi::cli
