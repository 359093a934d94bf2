#pragma once
#include <filesystem>
#include <string>

#include "store/comment.h"  // ReadCommentFile: a comment file read on its own
#include "store/current_measurement.h"
#include "store/store_state.h"

namespace oxi {

// Reads record `name` of the current device's folder into `m` and the comment of that
// record into `commentField`. 1 on success, -1 on failure (n becomes 0, the title empty).
// The caller resets the screen's moving-average window, graph offset, thumb width and
// hovered row, as a load must.
int LoadRecord(const StoreState& store, const std::string& name, CurrentMeasurement& m,
               std::string& commentField);

// Reads a record file on its own, wherever it lies and whichever device made it, into `m`
// as a load from the store would (header values and samples); the title is always made
// from the file's start time. Empty on success, else why it failed.
std::string LoadRecordFile(const std::filesystem::path& path, CurrentMeasurement& m);

}  // namespace oxi
