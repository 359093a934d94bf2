#pragma once
#include <filesystem>
#include <string>

#include "platform/fs/files.h"  // MoveWithoutReplacing, SyncFolder

namespace oxi {

// True when both files can be read and hold the same bytes.
bool SameBytes(const std::filesystem::path& a, const std::filesystem::path& b);

// True when `name` names an entry directly inside a folder: not empty, no separator, no
// NUL, not "." or "..".
bool IsPlainFileName(const std::string& name);

}  // namespace oxi
