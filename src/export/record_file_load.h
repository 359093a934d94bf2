#pragma once
#include <filesystem>
#include <string>

#include "store/comment.h"  // ReadCommentFile: a comment file read on its own
#include "store/current_measurement.h"

namespace oxi {

// Reads a record file on its own, wherever it lies and whichever device made it, into `m`
// as a load from the store would (header values, samples, unaveraged rows); the title is
// always made from the file's start time. Empty on success, else why it failed.
std::string LoadRecordFile(const std::filesystem::path& path, CurrentMeasurement& m);

}  // namespace oxi
