#include <memory>

#include "platform/fs/files.h"

namespace oxi {
namespace {

struct StreamCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

constexpr std::size_t kChunkBytes = 64 * 1024;

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
  const std::unique_ptr<std::FILE, StreamCloser> in(OpenStream(file, "rb"));
  if (!in) return std::nullopt;
  std::string bytes;
  std::string chunk(kChunkBytes, '\0');
  std::size_t got = 0;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), in.get())) > 0)
    bytes.append(chunk, 0, got);
  if (std::ferror(in.get())) return std::nullopt;
  return bytes;
}

}  // namespace oxi
