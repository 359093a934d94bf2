#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace oxi {

// Modification times closer than this count as equal: FAT keeps them in steps of 2 s, so a
// copy on a USB stick may read up to that much away from its original.
inline constexpr int kBackupTimeToleranceSeconds = 2;

// A file (or folder) the backup could not copy, and why; the path is relative to the store.
struct BackupProblem {
  std::string path;  // UTF-8
  std::string reason;
};

struct BackupReport {
  int copied = 0;        // new or changed, written and read back whole
  int unchanged = 0;     // the backup already had it: same size, same time within 2 s
  int skippedNewer = 0;  // the backup's file is newer than the store's: left as it is
  int failed = 0;        // not copied, or the copy read back wrong
  std::vector<BackupProblem> problems;     // one per failure (a refused folder: one for all)
  std::vector<std::string> newerInBackup;  // the paths counted in skippedNewer
  // Why nothing was done at all (no store, the folder inside the store, ...); empty else.
  std::string refused;
  bool stopped = false;  // the caller's stop request ended it early
  bool Ok() const { return refused.empty() && failed == 0 && !stopped; }
};

struct BackupOptions {
  // Asked before each file: true ends the backup there.
  std::function<bool()> stopRequested;
  // Called with each copy once it is flushed and before it is read back (tests damage it).
  std::function<void(const std::filesystem::path& copy)> beforeReadBack;
};

// Mirrors every file below `dataRoot` into `folder`, the same paths below it: new files and
// files changed since (another size, or an older time in `folder`) are written through the
// safe writer, given the original's time and read back before they take their name; a
// copy that reads back otherwise keeps no name in `folder`. Nothing in `folder` is ever
// deleted, and a file there newer than the store's is left as it is. Symbolic links in
// the store are not followed or copied, nor are links in `folder` written through; the
// writers' temporary files are passed over. Two names of the store that the folder's file
// system takes for one (letter case on FAT, NTFS and SMB shares) never overwrite each
// other: the second is refused.
BackupReport BackupStore(const std::filesystem::path& dataRoot, const std::filesystem::path& folder,
                         const BackupOptions& options = {});

}  // namespace oxi
