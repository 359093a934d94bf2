#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "analysis/analysis_parameters.h"
#include "cli/output.h"

namespace oxi::cli {

// What the commands that read a whole store (--root DIR --from DATE --to DATE) share.

// "YYYY-MM-DD" as YYYYMMDD; nothing when it is not a date of that form.
std::optional<int> ParseDate(const std::string& text);

// The options of a command that reads a store and writes one output.
struct StoreArgs {
  std::filesystem::path root;
  int from = 0;  // YYYYMMDD of the first and the last day
  int to = 99999999;
  bool datesGiven = false;
  std::string output = kStandardOutputName;
};
// Takes -o, --root, --from and --to into `out`: nothing when `arg` is none of them, else
// whether `value` was accepted.
std::optional<bool> TakeStoreOption(const std::string& arg, const std::string& value,
                                    StoreArgs& out);

// Takes the analysis's --delta, --smooth and --zones into `p`: nothing when `arg` is none
// of them, else whether `value` was accepted.
std::optional<bool> TakeAnalysisOption(const std::string& arg, const std::string& value,
                                       AnalysisParameters& p);

// Empty when a store lies below `root`, else the line that says there is none.
std::string NoStoreBelow(const std::filesystem::path& root);

}  // namespace oxi::cli
