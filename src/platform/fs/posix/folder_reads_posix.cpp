#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <optional>

#include "platform/fs/folder_reads.h"

namespace oxi {
namespace {

struct FolderCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

// What an entry is, from the listing where the file system says so; otherwise (a link, a
// file system that leaves the type out) from the file it leads to.
bool IsKind(DIR* folder, const dirent& entry, EntryKind kind) {
  const unsigned char wanted = kind == EntryKind::kFile ? DT_REG : DT_DIR;
  if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) return entry.d_type == wanted;
  struct stat st;
  if (::fstatat(::dirfd(folder), entry.d_name, &st, 0) != 0) return false;
  return kind == EntryKind::kFile ? S_ISREG(st.st_mode) : S_ISDIR(st.st_mode);
}

bool IsDotName(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Up to `size` bytes into `at`: fewer when the file shrank since it was measured.
std::optional<std::size_t> ReadUpTo(int fd, char* at, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::read(fd, at + done, size - done);
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

}  // namespace

std::vector<std::string> EntryNames(const std::filesystem::path& folder, EntryKind kind) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, FolderCloser> d(::opendir(folder.c_str()));
  if (!d) return names;
  while (const dirent* entry = ::readdir(d.get())) {
    if (!IsDotName(entry->d_name) && IsKind(d.get(), *entry, kind))
      names.emplace_back(entry->d_name);
  }
  return names;
}

MeasuredRead ReadMeasured(const std::filesystem::path& file, std::uintmax_t maxBytes,
                          std::string& bytes, std::filesystem::file_time_type& modified) {
  // Non-blocking: a pipe put where a record was must not hold the reader up.
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return MeasuredRead::kUnreadable;
  struct stat st;
  MeasuredRead result = MeasuredRead::kUnreadable;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    const auto size = static_cast<std::uintmax_t>(st.st_size);
    if (size > maxBytes) {
      result = MeasuredRead::kTooLarge;
    } else {
      bytes.resize(size);
      const std::optional<std::size_t> got = ReadUpTo(fd, bytes.data(), bytes.size());
      if (got) bytes.resize(*got), result = MeasuredRead::kRead;
      using namespace std::chrono;
      modified = file_clock::from_sys(
          sys_time<nanoseconds>(seconds(st.st_mtim.tv_sec) + nanoseconds(st.st_mtim.tv_nsec)));
    }
  }
  ::close(fd);
  return result;
}

}  // namespace oxi
