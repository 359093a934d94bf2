#include "store/comment.h"

#include <cstdio>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include "store/file_ops.h"
#include "store/record_file.h"

namespace oxi {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr std::size_t kReadBlock = 4096;

// The file's bytes up to its first NUL; nullopt when it cannot be read.
std::optional<std::string> ReadUpToNul(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::FILE* f = OpenStream(path, "rb");
  if (!f) return std::nullopt;
  std::string text;
  char block[kReadBlock];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, f)) > 0;) {
    const std::string_view part(block, got);
    const std::size_t nul = part.find('\0');
    text.append(part.substr(0, nul));
    if (nul != std::string_view::npos) break;
  }
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  return text;
}

std::string WithCrLfLineEnds(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == kCr || c == kLf) {
      out += kCr;
      out += kLf;
      if (c == kCr && i + 1 < text.size() && text[i + 1] == kLf) ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

void LoadComment(const StoreState& store, const std::string& newName, bool anotherRecord,
                 std::string& commentField) {
  const std::string key = newName.substr(0, kRecordKeyLength);
  std::optional<std::string> text;
  if (IsPlainFileName(key)) text = ReadCommentFile(CommentFolder(store) / PathFromUtf8(key));
  if (!text) {
    commentField.clear();
  } else if (anotherRecord) {
    commentField = std::move(*text);
  }
}

std::optional<std::string> ReadCommentFile(const std::filesystem::path& path) {
  std::optional<std::string> text = ReadUpToNul(path);
  if (text) *text = WithCrLfLineEnds(*text);
  return text;
}

}  // namespace oxi
