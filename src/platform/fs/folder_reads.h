#pragma once
// The reads a look over a whole store makes for each of its thousands of files, made with
// as few calls to the system as it allows: a name is looked up once, nothing is stat'ed
// that the listing already tells, and no buffer is made anew for each file.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace oxi {

enum class EntryKind { kFile, kFolder };

// The names (UTF-8) of the entries of `folder` that are plain files, or folders, a link
// counted as what it leads to; in no particular order. Empty when the folder cannot be read.
std::vector<std::string> EntryNames(const std::filesystem::path& folder, EntryKind kind);

enum class MeasuredRead { kRead, kUnreadable, kTooLarge };

// The bytes of the plain file `file` into `bytes` (whose capacity is kept for the next
// file) and its modification time, both from one opening of it: a file that grows
// meanwhile is read as it was measured. kTooLarge, with nothing read, for a file of more
// than `maxBytes`; kUnreadable when it cannot be opened, measured or read, or is no plain
// file. The time is the one std::filesystem::last_write_time gives.
MeasuredRead ReadMeasured(const std::filesystem::path& file, std::uintmax_t maxBytes,
                          std::string& bytes, std::filesystem::file_time_type& modified);

}  // namespace oxi
