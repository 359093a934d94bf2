#pragma once
#include <filesystem>
#include <string>

namespace oxi {

// True when both files can be read and hold the same bytes.
bool SameBytes(const std::filesystem::path& a, const std::filesystem::path& b);

// Moves `from` to `to` unless something already has that name; never replaces a file.
bool MoveWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Makes the folder's entries (a rename into it) durable. Failures are ignored: the data
// is already written, only its survival of a power cut is less certain.
void SyncFolder(const std::filesystem::path& folder);

// True when `name` names an entry directly inside a folder: not empty, no separator, no
// NUL, not "." or "..".
bool IsPlainFileName(const std::string& name);

}  // namespace oxi
