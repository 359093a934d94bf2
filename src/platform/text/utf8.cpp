#include "platform/text/utf8.h"

namespace oxi {

namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char32_t kSurrogateFirst = 0xD800;
constexpr char32_t kSurrogateLast = 0xDFFF;

bool IsContinuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

struct LeadInfo {
  int length;         // bytes in the sequence, 0 for a byte that cannot start one
  char32_t bits;      // payload of the lead byte
  char32_t minValue;  // smallest value this length may encode (shorter forms are overlong)
};

LeadInfo Lead(unsigned char b) {
  if (b < 0x80) return {1, b, 0};
  if ((b & 0xE0) == 0xC0) return {2, b & 0x1Fu, 0x80};
  if ((b & 0xF0) == 0xE0) return {3, b & 0x0Fu, 0x800};
  if ((b & 0xF8) == 0xF0) return {4, b & 0x07u, 0x10000};
  return {0, 0, 0};
}

}  // namespace

char32_t NextCodePoint(std::string_view utf8, std::size_t& pos) {
  const LeadInfo lead = Lead(static_cast<unsigned char>(utf8[pos]));
  if (lead.length == 0 || pos + lead.length > utf8.size()) {
    ++pos;
    return kReplacementChar;
  }
  char32_t c = lead.bits;
  for (int i = 1; i < lead.length; ++i) {
    const auto b = static_cast<unsigned char>(utf8[pos + i]);
    if (!IsContinuation(b)) {
      ++pos;
      return kReplacementChar;
    }
    c = (c << 6) | (b & 0x3Fu);
  }
  if (c < lead.minValue || c > kMaxCodePoint || (c >= kSurrogateFirst && c <= kSurrogateLast)) {
    ++pos;
    return kReplacementChar;
  }
  pos += lead.length;
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c > kMaxCodePoint || (c >= kSurrogateFirst && c <= kSurrogateLast)) c = kReplacementChar;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace oxi
