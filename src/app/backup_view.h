#pragma once
#include <filesystem>

#include "device/download.h"
#include "platform/ui/platform.h"

namespace oxi {

// The window menu's backup: the folder chooser (opened at the folder chosen last, which
// is then remembered at the store's root), the backup, and its result in a message box.
void BackupFromMenu(Platform& platform, const std::filesystem::path& dataRoot);

// After a download that erased a monitor the measurements exist only in the store: where
// a backup folder was chosen before, the window offers to back up to it now.
void OfferBackupAfterDownload(Platform& platform, const std::filesystem::path& dataRoot,
                              const DownloadResult& download);

}  // namespace oxi
