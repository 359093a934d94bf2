#include "store/comment.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform/text/cp932.h"
#include "store/file_ops.h"
#include "store/record_file.h"

namespace oxi {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr std::size_t kReadBlock = 4096;

// The file's bytes up to its first NUL and at most kMaxCommentBytes of them; nullopt when
// it cannot be read. One byte more is read to tell a comment of exactly the bound from a
// longer one.
std::optional<CommentText> ReadUpToNul(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::FILE* f = OpenStream(path, "rb");
  if (!f) return std::nullopt;
  CommentText comment;
  std::string& text = comment.text;
  char block[kReadBlock];
  while (text.size() <= kMaxCommentBytes) {
    const std::size_t want = std::min(sizeof block, kMaxCommentBytes + 1 - text.size());
    const std::size_t got = std::fread(block, 1, want, f);
    if (got == 0) break;
    const std::string_view part(block, got);
    const std::size_t nul = part.find('\0');
    text.append(part.substr(0, nul));
    if (nul != std::string_view::npos) break;
  }
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  if (text.size() > kMaxCommentBytes) {
    comment.cut = true;
    // Cut at a character's end, so that no half character is left at the end.
    const std::size_t end = Cp932CharactersEnd(text, kMaxCommentBytes);
    text.resize(end > kMaxCommentBytes ? kMaxCommentBytes - 1 : kMaxCommentBytes);
  }
  return comment;
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
  std::optional<CommentText> comment;
  if (IsPlainFileName(key)) comment = ReadCommentFile(CommentFolder(store) / PathFromUtf8(key));
  if (!comment) {
    commentField.clear();
  } else if (anotherRecord) {
    commentField = std::move(comment->text);
  }
}

std::optional<CommentText> ReadCommentFile(const std::filesystem::path& path) {
  std::optional<CommentText> comment = ReadUpToNul(path);
  if (comment) comment->text = WithCrLfLineEnds(comment->text);
  return comment;
}

}  // namespace oxi
