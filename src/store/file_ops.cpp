#include "store/file_ops.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>

namespace oxi {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kCompareBlock = 64 * 1024;

}  // namespace

bool SameBytes(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ea, eb;
  const auto sizeA = std::filesystem::file_size(a, ea);
  const auto sizeB = std::filesystem::file_size(b, eb);
  if (ea || eb || sizeA != sizeB) return false;
  File fa(std::fopen(a.c_str(), "rb"));
  File fb(std::fopen(b.c_str(), "rb"));
  if (!fa || !fb) return false;
  static std::array<char, kCompareBlock> bufA, bufB;
  for (;;) {
    const std::size_t gotA = std::fread(bufA.data(), 1, bufA.size(), fa.get());
    const std::size_t gotB = std::fread(bufB.data(), 1, bufB.size(), fb.get());
    if (gotA != gotB) return false;
    if (gotA == 0) return !std::ferror(fa.get()) && !std::ferror(fb.get());
    if (!std::equal(bufA.begin(), bufA.begin() + gotA, bufB.begin())) return false;
  }
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

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

}  // namespace oxi
