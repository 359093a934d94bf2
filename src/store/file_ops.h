#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "platform/fs/files.h"  // MoveWithoutReplacing, SyncFolder

namespace oxi {

// How a record file in the store stands to the bytes of a record just read. Each relation
// but kOther means the same header, and samples cut only between two samples.
enum class StoredCopy {
  kOther,    // another measurement, a damaged file, or one that cannot be read
  kSame,     // the same bytes
  kShorter,  // the first part of the new bytes: an earlier, interrupted reading
  kLonger,   // the new bytes and more samples: the store holds more than this reading
};
StoredCopy CompareStoredCopy(const std::filesystem::path& file,
                             std::span<const std::uint8_t> record);

// True when `name` names an entry directly inside a folder: not empty, no separator, no
// NUL, not "." or "..".
bool IsPlainFileName(const std::string& name);

}  // namespace oxi
