#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/fs/backend.h"
#include "platform/fs/files.h"

namespace oxi {
namespace {

constexpr int kNameAttempts = 100;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask, like any new file
constexpr mode_t kPermissionBits = 07777;

// The replaced file's mode, and its owner where we may set it (as root), so that replacing
// a file's contents does not also widen who may read it.
void TakePermissionsOf(int fd, const std::filesystem::path& original) {
  struct stat st;
  if (::stat(original.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
    // Not allowed for a normal user; the group alone may still be ours to keep.
    [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
  }
  ::fchmod(fd, st.st_mode & kPermissionBits);
}

}  // namespace

bool fs_backend::FlushToMedium(std::FILE* file) {
  return ::fsync(::fileno(file)) == 0;
}

bool fs_backend::IsReadOnly(const std::filesystem::path& file) {
  struct stat st;
  if (::stat(file.c_str(), &st) != 0) return false;
  // No write bit at all counts even for root, whom the system would let write anyway.
  constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
  return (st.st_mode & kWriteBits) == 0 || ::access(file.c_str(), W_OK) != 0;
}

bool fs_backend::NamesDevice(const std::filesystem::path&) {
  return false;
}

bool fs_backend::HeldOpenElsewhere(const std::filesystem::path&) {
  return false;
}

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::string(utf8));
}

std::string PathToUtf8(const std::filesystem::path& path) {
  return path.native();
}

std::FILE* OpenStream(const std::filesystem::path& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool TempFile::Create(const std::filesystem::path& folder, const std::string& prefix,
                      const std::filesystem::path* permissionsOf) {
  Remove();
  error_.clear();
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::filesystem::path candidate = folder / (prefix + RandomNameTail());
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                          kNewFileMode);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      NoteFailure();
      return false;
    }
    path_ = candidate;
    if (permissionsOf) TakePermissionsOf(fd, *permissionsOf);
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
      NoteFailure();
      ::close(fd);
      Remove();
      return false;
    }
    ok_ = true;
    return true;
  }
  error_ = std::make_error_code(std::errc::file_exists);
  return false;
}

bool MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool MoveWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  // A hard link fails when the name is taken, so no check-then-rename window exists.
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return true;
  }
  if (errno == EEXIST) return false;
  if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) return false;
  // File systems without hard links: check, then rename.
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::symlink_status(to, ec))) return false;
  std::filesystem::rename(from, to, ec);
  return !ec;
}

void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace oxi
