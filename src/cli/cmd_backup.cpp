// oxitool backup: the store's files mirrored into a folder (a USB stick, a network share),
// new and changed files only, each read back before it counts as copied.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/store_options.h"
#include "platform/fs/files.h"
#include "platform/ui/process_signals.h"
#include "store/store_backup.h"
#include "store/stored_records.h"

namespace oxi::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kName = "backup";

bool Parse(const std::vector<std::string>& args, fs::path& root, fs::path& folder) {
  for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
    fs::path* path = args[i] == "--root" ? &root : args[i] == "--to" ? &folder : nullptr;
    if (!path || !path->empty() || args[i + 1].empty()) return false;
    *path = PathFromUtf8(args[i + 1]);
  }
  return args.size() % 2 == 0 && !root.empty() && !folder.empty();
}

std::string Counts(const BackupReport& r) {
  return std::to_string(r.copied) + " copied, " + std::to_string(r.unchanged) + " unchanged, " +
         std::to_string(r.skippedNewer) + " newer in the backup (left as they are), " +
         std::to_string(r.failed) + " failed";
}

int RunBackup(const std::vector<std::string>& args) {
  fs::path root;
  fs::path folder;
  if (!Parse(args, root, folder)) return FailUsage(kName);
  const std::string noStore = NoStoreBelow(root);
  if (!noStore.empty()) return Fail(noStore);
  BackupOptions options;
  options.stopRequested = InterruptRequested;
  const BackupReport report = BackupStore(DataRootBelow(root), folder, options);
  if (!report.refused.empty()) return Fail(report.refused);
  for (const BackupProblem& p : report.problems) Fail(p.path + ": " + p.reason);
  for (const std::string& p : report.newerInBackup) {
    Note(p + ": the backup's file is newer than the store's; left as it is");
  }
  if (report.stopped) {
    Note("stopped; " + Counts(report));
    return InterruptExitStatus();
  }
  if (report.copied == 0 && report.failed == 0) {
    std::printf("nothing to copy: the backup is up to date (%s)\n", Counts(report).c_str());
  } else {
    std::printf("%s\n", Counts(report).c_str());
  }
  return report.failed == 0 ? 0 : 1;
}

const CommandRegistration kBackup(
    {kName, "--root DIR --to FOLDER",
     "mirrors the store below DIR into FOLDER: new and changed files, each read back; "
     "nothing in FOLDER is deleted or replaced by an older file",
     RunBackup});

}  // namespace
}  // namespace oxi::cli
