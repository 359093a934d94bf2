#include "graph/comment_lines.h"

#include "platform/text/cp932.h"

namespace oxi {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

// How many bytes the line starting at `pos` may take at most: the whole rest when it is
// short enough, else the limit rounded up to the end of the character it falls in.
std::size_t LineLimit(std::string_view text, std::size_t pos) {
  const std::string_view rest = text.substr(pos);
  if (rest.size() <= kCommentLineBytes) return rest.size();
  return Cp932CharactersEnd(rest, kCommentLineBytes);
}

// Length of the line end at `pos`, 0 when there is none.
std::size_t LineEndAt(std::string_view text, std::size_t pos) {
  if (text[pos] == kLf) return 1;
  if (text[pos] == kCr && pos + 1 < text.size() && text[pos + 1] == kLf) return 2;
  return 0;
}

}  // namespace

std::vector<std::string> CutCommentLines(std::string_view cp932, std::size_t maxLines) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < cp932.size() && lines.size() < maxLines) {
    const std::size_t limit = LineLimit(cp932, pos);
    std::size_t length = 0;
    std::size_t lineEnd = 0;
    while (length < limit && (lineEnd = LineEndAt(cp932, pos + length)) == 0) ++length;
    lines.emplace_back(cp932.substr(pos, length));
    pos += length + lineEnd;
  }
  return lines;
}

}  // namespace oxi
