#include "store/file_ops.h"

#include <array>
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
  File fa(OpenStream(a, "rb"));
  File fb(OpenStream(b, "rb"));
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

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

}  // namespace oxi
