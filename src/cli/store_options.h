#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace oxi::cli {

// What the commands that read a whole store (--root DIR --from DATE --to DATE) share.

// "YYYY-MM-DD" as YYYYMMDD; nothing when it is not a date of that form.
std::optional<int> ParseDate(const std::string& text);

// Empty when a store lies below `root`, else the line that says there is none.
std::string NoStoreBelow(const std::filesystem::path& root);

}  // namespace oxi::cli
