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

std::string NoStoreBelow(const fs::path& root) {
  std::error_code ec;
  if (fs::is_directory(DataRootBelow(root), ec)) return {};
  return PathToUtf8(root) + ": holds no store (no " + PathToUtf8(DataRootBelow(fs::path())) +
         " folder)";
}

}  // namespace oxi::cli
