#include "graph/comment_lines.h"

#include "platform/text/cp932.h"

namespace oxi {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

// How many bytes the line starting at `pos` may take at most.
std::size_t LineLimit(std::string_view text, std::size_t pos) {
  const std::size_t remaining = text.size() - pos;
  if (remaining <= kCommentLineBytes) return remaining;
  const auto last = static_cast<unsigned char>(text[pos + kCommentLineBytes - 1]);
  return IsCp932LeadByte(last) ? kCommentLineBytes + 1 : kCommentLineBytes;
}

// Length of the line end at `pos`, 0 when there is none.
std::size_t LineEndAt(std::string_view text, std::size_t pos) {
  if (text[pos] == kLf) return 1;
  if (text[pos] == kCr && pos + 1 < text.size() && text[pos + 1] == kLf) return 2;
  return 0;
}

}  // namespace

std::vector<std::string> CutCommentLines(std::string_view cp932) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < cp932.size()) {
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
