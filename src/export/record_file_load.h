#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "store/current_measurement.h"

namespace oxi {

// Reads a record file on its own, wherever it lies and whichever device made it, into `m`
// as a load from the store would (header values, samples, unaveraged rows); the title is
// always made from the file's start time. Empty on success, else why it failed.
std::string LoadRecordFile(const std::filesystem::path& path, CurrentMeasurement& m);

// Reads a comment text file the way comments reach the printed page: its bytes up to the
// first NUL, every line end (CR LF, lone LF or lone CR) made CR LF. Nothing when the file
// cannot be read.
std::optional<std::string> ReadCommentFile(const std::filesystem::path& path);

}  // namespace oxi
