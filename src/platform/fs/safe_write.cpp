#include "platform/fs/safe_write.h"

#include <optional>
#include <system_error>

#include "platform/fs/backend.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

// Links followed before the target counts as a loop; the figure the kernel itself uses.
constexpr int kMaxLinks = 40;
// A leading dot hides the temporary file from listings and the store's scans. The name
// is short whatever the target's: a target's name may take all the bytes a name may have.
// ("out" keeps it apart from the record writer's temporaries, which a download removes.)
constexpr const char* kTempPrefix = ".tmp-out-";

// The folder a file name given without one lies in is the working folder.
fs::path FolderOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// The file a path names once its symbolic links are followed, also when the last link
// dangles; nullopt for a loop.
std::optional<fs::path> FollowLinks(fs::path path) {
  for (int hops = 0; hops < kMaxLinks; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) return std::nullopt;
    path = next.is_absolute() ? next : FolderOf(path) / next;
  }
  return std::nullopt;
}

}  // namespace

const char* WriteStatusText(WriteStatus status) {
  switch (status) {
    case WriteStatus::kWritten:
      return "written";
    case WriteStatus::kNotAFile:
      return "is not a regular file; left as it is";
    case WriteStatus::kCannotCreate:
      return "cannot be created in its folder";
    case WriteStatus::kCannotWrite:
      return "cannot be written (disk full or a size limit?); any earlier file is kept";
    case WriteStatus::kExists:
      return "exists already; left as it is";
    case WriteStatus::kReadOnly:
      return "is read-only; left as it is";
    case WriteStatus::kInUse:
      return "is in use by another program, which must close it first; left as it is";
    case WriteStatus::kDeviceName:
      return "is the name of a device on Windows (CON, PRN, AUX, NUL, COM1-9, LPT1-9, also "
             "with an extension), which no file can have";
  }
  return "";
}

WriteStatus SafeFileWriter::Begin(const fs::path& target, Existing existing) {
  if (target.empty() || !target.has_filename()) return WriteStatus::kCannotCreate;
  if (fs_backend::NamesDevice(target)) return WriteStatus::kDeviceName;
  existing_ = existing;
  if (existing == Existing::kKeep) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(target, ec))) return WriteStatus::kExists;
  }
  const std::optional<fs::path> followed = FollowLinks(target);
  if (!followed) return WriteStatus::kNotAFile;
  destination_ = *followed;
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(destination_, ec);
  const bool exists = fs::exists(status);
  if (exists && !fs::is_regular_file(status)) return WriteStatus::kNotAFile;
  if (exists && fs_backend::IsReadOnly(destination_)) return WriteStatus::kReadOnly;
  if (exists && fs_backend::HeldOpenElsewhere(destination_)) return WriteStatus::kInUse;
  const bool created =
      temp_.Create(FolderOf(destination_), kTempPrefix, exists ? &destination_ : nullptr);
  return created ? WriteStatus::kWritten : WriteStatus::kCannotCreate;
}

WriteStatus SafeFileWriter::Commit() {
  if (!temp_.Finish()) return WriteStatus::kCannotWrite;  // the temporary file goes with temp_
  const bool moved = existing_ == Existing::kKeep ? MoveWithoutReplacing(temp_.Path(), destination_)
                                                  : MoveReplacing(temp_.Path(), destination_);
  if (!moved) {
    std::error_code ec;
    const bool taken =
        existing_ == Existing::kKeep && fs::exists(fs::symlink_status(destination_, ec));
    if (taken) return WriteStatus::kExists;
    // Opened by another program since Begin looked.
    return fs_backend::HeldOpenElsewhere(destination_) ? WriteStatus::kInUse
                                                       : WriteStatus::kCannotWrite;
  }
  temp_.Release();
  // Makes the rename itself durable; a folder that cannot be synced is no failure of the
  // write, which is complete by now.
  SyncFolder(FolderOf(destination_));
  return WriteStatus::kWritten;
}

WriteStatus WriteFileSafely(const fs::path& target, std::string_view bytes, Existing existing) {
  SafeFileWriter writer;
  const WriteStatus begun = writer.Begin(target, existing);
  if (begun != WriteStatus::kWritten) return begun;
  writer.Temp().Write(bytes);
  return writer.Commit();
}

}  // namespace oxi
