#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include "export/csv_export.h"
#include "store/file_ops.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

constexpr int kNameAttempts = 100;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask, like any new file

// The folder a file name given without one lies in is the working folder.
fs::path FolderOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// Creates a new, empty file next to `path` whose name no other writer uses; -1 on failure.
int CreateTempBeside(const fs::path& path, fs::path& tempPath) {
  std::random_device seed;
  std::mt19937 random(seed());
  const fs::path folder = FolderOf(path);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    tempPath = folder / ("." + path.filename().string() + ".tmp-" + std::to_string(random()));
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Writes, flushes to the medium and closes; every step's failure counts.
bool WriteAll(int fd, const std::string& bytes) {
  FILE* file = ::fdopen(fd, "wb");
  if (!file) {
    ::close(fd);
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = ::fsync(::fileno(file)) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

}  // namespace

bool WriteFileAtomically(const fs::path& path, const std::string& bytes) {
  if (path.empty() || !path.has_filename()) return false;
  fs::path tempPath;
  const int fd = CreateTempBeside(path, tempPath);
  if (fd < 0) return false;
  if (!WriteAll(fd, bytes) || std::rename(tempPath.c_str(), path.c_str()) != 0) {
    ::unlink(tempPath.c_str());
    return false;
  }
  // Makes the rename itself durable; a folder that cannot be synced is no failure of the
  // write, which is complete by now.
  SyncFolder(FolderOf(path));
  return true;
}

}  // namespace oxi
