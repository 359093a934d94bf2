#pragma once
#include <filesystem>
#include <optional>

#include "platform/fs/safe_write.h"

namespace oxi {

// The small settings file at the store's root that remembers the folder the last backup
// went to. Its name must not begin with "OXI" in any letter case: whatever reads the store
// takes such entries for devices' folders, on Windows without regard to case.
inline constexpr const char* kBackupSettingFile = "backup.ini";

// The folder remembered below `dataRoot`; nothing when none was chosen yet or the file
// holds none.
std::optional<std::filesystem::path> RememberedBackupFolder(const std::filesystem::path& dataRoot);

// Remembers `folder` (as UTF-8, whatever the system's code page) through the safe writer.
WriteStatus RememberBackupFolder(const std::filesystem::path& dataRoot,
                                 const std::filesystem::path& folder);

}  // namespace oxi
