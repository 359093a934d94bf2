#include "platform/text/cp932.h"

#include "platform/text/cp932_character.h"
#include "platform/text/utf8.h"

namespace oxi {

namespace {

constexpr unsigned char kFirstNonAscii = 0x80;
constexpr char kUnencodable = '?';

// Lead bytes of the double-byte characters.
bool StartsDoubleByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Single bytes that Windows turns into a control or private-use character (0x80, 0xA0,
// 0xFD..0xFF) and other converters reject: they never stand for text, so they are
// undecodable everywhere, and those characters are never encoded to them.
bool StrayByte(unsigned char b) {
  return b == 0x80 || b == 0xA0 || b >= 0xFD;
}
bool StrayByteCharacter(char32_t c) {
  return c == 0x80 || (c >= 0xF8F0 && c <= 0xF8F3);
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  for (std::size_t pos = 0; pos < cp932.size();) {
    const auto b = static_cast<unsigned char>(cp932[pos]);
    if (b < kFirstNonAscii) {
      out += static_cast<char>(b);
      ++pos;
      continue;
    }
    const std::size_t length = StartsDoubleByte(b) && pos + 1 < cp932.size() ? 2 : 1;
    const std::optional<char32_t> c =
        StrayByte(b) ? std::nullopt : cp932::DecodeCharacter(cp932.substr(pos, length));
    if (c) {
      AppendUtf8(out, *c);
      pos += length;
    } else {
      // A byte that starts no character, or a lead byte with no valid trail byte after it:
      // replace that one byte and go on with the next.
      AppendUtf8(out, kReplacementChar);
      ++pos;
    }
  }
  return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[pos]);
    if (b < kFirstNonAscii) {
      out += static_cast<char>(b);
      ++pos;
      continue;
    }
    // Malformed UTF-8 reads as U+FFFD one byte at a time, which CP932 cannot hold either:
    // one mark per bad byte.
    const char32_t c = NextCodePoint(utf8, pos);
    const std::optional<std::string> bytes =
        StrayByteCharacter(c) ? std::nullopt : cp932::EncodeCharacter(c);
    if (bytes) {
      out += *bytes;
    } else {
      out += kUnencodable;
    }
  }
  return out;
}

}  // namespace oxi
