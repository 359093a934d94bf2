#include "store/store_backup.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <set>
#include <string_view>
#include <system_error>

#include "platform/fs/files.h"
#include "platform/fs/safe_write.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

// The writers' temporary files (records', the safe writer's): half-written or left by a
// writer that was killed, never part of the store.
constexpr std::string_view kTemporaryPrefix = ".tmp-";

constexpr const char* kLinkInStore =
    "is a symbolic link; a backup holds files only, so it is not copied";
constexpr const char* kLinkInBackup =
    "is a symbolic link in the backup folder; nothing is written through it";
constexpr const char* kNameTaken =
    "the backup folder's file system takes this name for another one there that differs "
    "only in letter case; not copied, so that neither overwrites the other";
constexpr const char* kNotAFileInBackup = "is not a file in the backup folder; left as it is";
constexpr const char* kNotAFolderInBackup = "is not a folder in the backup folder; left as it is";
constexpr const char* kNotFileOrFolder = "is neither a file nor a folder; not copied";
constexpr const char* kUnreadable = "cannot be read";
constexpr const char* kTimeNotSet = "the copy's time cannot be set; not kept";
constexpr const char* kReadBackDiffers = "the copy read back differs from the original; not kept";

bool IsTemporary(const fs::path& name) {
  return PathToUtf8(name).starts_with(kTemporaryPrefix);
}

// The names a folder holds now, exactly as its file system spells them.
std::set<fs::path> NamesIn(const fs::path& folder) {
  std::set<fs::path> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    names.insert(it->path().filename());
  }
  return names;
}

// The entries of a store's folder in name order, so that which of two clashing names
// wins does not depend on the order the system lists them in.
std::optional<std::vector<fs::directory_entry>> SortedEntries(const fs::path& folder) {
  std::vector<fs::directory_entry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    entries.push_back(*it);
  }
  if (ec) return std::nullopt;
  std::sort(entries.begin(), entries.end());
  return entries;
}

// How a file already in the backup stands to the store's.
enum class Standing { kSame, kOlder, kNewer };

Standing Compare(fs::file_time_type sourceTime, std::uintmax_t sourceSize, const fs::path& copy) {
  std::error_code ec;
  const fs::file_time_type copyTime = fs::last_write_time(copy, ec);
  if (ec) return Standing::kOlder;
  const auto tolerance = std::chrono::seconds(kBackupTimeToleranceSeconds);
  if (copyTime - sourceTime > tolerance) return Standing::kNewer;
  const bool sameTime = sourceTime - copyTime <= tolerance;
  return sameTime && fs::file_size(copy, ec) == sourceSize && !ec ? Standing::kSame
                                                                  : Standing::kOlder;
}

// True also when both name the same folder.
bool IsInside(const fs::path& inner, const fs::path& outer) {
  std::error_code ec;
  const fs::path rel =
      fs::weakly_canonical(inner, ec).lexically_relative(fs::weakly_canonical(outer, ec));
  return !rel.empty() && *rel.begin() != "..";
}

class Mirror {
 public:
  Mirror(const fs::path& root, const fs::path& folder, const BackupOptions& options,
         BackupReport& report)
      : root_(root), folder_(folder), options_(options), report_(report) {}

  // Mirrors the store's folder at `rel` (empty: the data root) into the backup's.
  void Folder(const fs::path& rel);

 private:
  void Entry(const fs::directory_entry& entry, const fs::path& rel,
             const std::set<fs::path>& namesBefore);
  void ChildFolder(const fs::path& rel);
  void File(const fs::path& rel);
  void Copy(const fs::path& rel, fs::file_time_type sourceTime);
  void Fail(const fs::path& rel, const std::string& reason);
  // Every file below `rel` counts as failed, told once.
  void RefuseBelow(const fs::path& rel, const std::string& reason);

  const fs::path root_;
  const fs::path folder_;
  const BackupOptions& options_;
  BackupReport& report_;
};

void Mirror::Fail(const fs::path& rel, const std::string& reason) {
  ++report_.failed;
  report_.problems.push_back({PathToUtf8(rel), reason});
}

void Mirror::RefuseBelow(const fs::path& rel, const std::string& reason) {
  int files = 0;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root_ / rel, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (it->is_regular_file(ec) && !it->is_symlink(ec) && !IsTemporary(it->path().filename())) {
      ++files;
    }
  }
  if (files == 0) return;  // nothing of the store is lost by leaving out an empty folder
  report_.failed += files;
  report_.problems.push_back(
      {PathToUtf8(rel), reason + " (" + std::to_string(files) + " files below it)"});
}

void Mirror::Folder(const fs::path& rel) {
  const std::optional<std::vector<fs::directory_entry>> entries = SortedEntries(root_ / rel);
  if (!entries) return Fail(rel.empty() ? fs::path(".") : rel, kUnreadable);
  const std::set<fs::path> namesBefore = NamesIn(folder_ / rel);
  for (const fs::directory_entry& entry : *entries) {
    if (options_.stopRequested && options_.stopRequested()) {
      report_.stopped = true;
      return;
    }
    if (!IsTemporary(entry.path().filename())) Entry(entry, rel, namesBefore);
    if (report_.stopped) return;
  }
}

void Mirror::Entry(const fs::directory_entry& entry, const fs::path& rel,
                   const std::set<fs::path>& namesBefore) {
  const fs::path name = entry.path().filename();
  const fs::path childRel = rel / name;
  std::error_code ec;
  const fs::file_status status = entry.symlink_status(ec);
  if (fs::is_symlink(status)) return Fail(childRel, kLinkInStore);
  // The name reaches something in the backup that the folder did not hold under this
  // spelling: the file system took it for another name.
  const bool taken = fs::exists(fs::symlink_status(folder_ / childRel, ec));
  if (taken && !namesBefore.contains(name)) {
    return fs::is_directory(status) ? RefuseBelow(childRel, kNameTaken)
                                    : Fail(childRel, kNameTaken);
  }
  if (fs::is_directory(status)) return ChildFolder(childRel);
  if (fs::is_regular_file(status)) return File(childRel);
  Fail(childRel, kNotFileOrFolder);
}

void Mirror::ChildFolder(const fs::path& rel) {
  const fs::path target = folder_ / rel;
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(target, ec);
  if (fs::is_symlink(status)) return RefuseBelow(rel, kLinkInBackup);
  if (fs::exists(status) && !fs::is_directory(status)) return RefuseBelow(rel, kNotAFolderInBackup);
  if (!fs::exists(status) && !fs::create_directory(target, ec)) {
    return RefuseBelow(rel, "cannot be created in the backup folder: " + ec.message());
  }
  Folder(rel);
}

void Mirror::File(const fs::path& rel) {
  const fs::path target = folder_ / rel;
  std::error_code ec;
  const fs::file_time_type sourceTime = fs::last_write_time(root_ / rel, ec);
  const std::uintmax_t sourceSize = ec ? 0 : fs::file_size(root_ / rel, ec);
  if (ec) return Fail(rel, kUnreadable);
  const fs::file_status status = fs::symlink_status(target, ec);
  if (fs::is_symlink(status)) return Fail(rel, kLinkInBackup);
  if (fs::exists(status)) {
    if (!fs::is_regular_file(status)) return Fail(rel, kNotAFileInBackup);
    switch (Compare(sourceTime, sourceSize, target)) {
      case Standing::kSame:
        ++report_.unchanged;
        return;
      case Standing::kNewer:
        ++report_.skippedNewer;
        report_.newerInBackup.push_back(PathToUtf8(rel));
        return;
      case Standing::kOlder:
        break;
    }
  }
  Copy(rel, sourceTime);
}

// The copy gets its name only once it has been read back whole, so that a damaged copy
// never stands in the backup looking like a good one.
void Mirror::Copy(const fs::path& rel, fs::file_time_type sourceTime) {
  const std::optional<std::string> bytes = ReadWholeFile(root_ / rel);
  if (!bytes) return Fail(rel, kUnreadable);
  SafeFileWriter writer;
  const WriteStatus begun = writer.Begin(folder_ / rel);
  if (begun != WriteStatus::kWritten) return Fail(rel, WriteStatusText(begun));
  writer.Temp().Write(*bytes);
  if (!writer.Flush()) return Fail(rel, WriteStatusText(WriteStatus::kCannotWrite));
  const fs::path temp = writer.Temp().Path();
  // The original's time, so that the next run finds the two the same.
  std::error_code ec;
  fs::last_write_time(temp, sourceTime, ec);
  if (ec) return Fail(rel, kTimeNotSet);
  ForgetCachedContents(temp);
  if (options_.beforeReadBack) options_.beforeReadBack(temp);
  if (ReadWholeFile(temp) != bytes) return Fail(rel, kReadBackDiffers);
  const WriteStatus committed = writer.Commit();
  if (committed != WriteStatus::kWritten) return Fail(rel, WriteStatusText(committed));
  ++report_.copied;
}

}  // namespace

BackupReport BackupStore(const fs::path& dataRoot, const fs::path& folder,
                         const BackupOptions& options) {
  BackupReport report;
  std::error_code ec;
  if (!fs::is_directory(dataRoot, ec)) {
    report.refused = PathToUtf8(dataRoot) + ": no store there";
  } else if (IsInside(folder, dataRoot)) {
    report.refused =
        PathToUtf8(folder) + ": lies inside the store, which it would copy into itself";
  } else if (!fs::create_directories(folder, ec) && ec) {
    report.refused = PathToUtf8(folder) + ": cannot be created: " + ec.message();
  } else if (!fs::is_directory(folder, ec)) {
    report.refused = PathToUtf8(folder) + ": is not a folder";
  } else {
    Mirror(dataRoot, folder, options, report).Folder(fs::path());
  }
  return report;
}

}  // namespace oxi
