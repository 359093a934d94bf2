#pragma once
#include <string>
#include <string_view>

namespace oxi {

// Text is UTF-8 inside the program; CP932 (Windows' Japanese code page, not plain
// Shift_JIS: they differ on characters such as '～') only where bytes cross the boundary.

// Bytes that cannot be decoded become U+FFFD; decoding never fails.
std::string Cp932ToUtf8(std::string_view cp932);
// Characters that CP932 cannot hold become '?'; encoding never fails.
std::string Utf8ToCp932(std::string_view utf8);

// True when `b` starts a double-byte CP932 character as the printed comment counts it
// (0x80..0x9F or 0xE0..0xFF).
constexpr bool IsCp932LeadByte(unsigned char b) {
  return (b >= 0x80 && b <= 0x9F) || b >= 0xE0;
}

// Where the character holding byte `count - 1` of `text` ends, the characters counted from
// the text's start: a lead byte and the byte after it are one character, whatever that
// byte is. So a cut there never splits a character; the result is `count` or `count + 1`
// (the latter when a lead byte stands at `count - 1`, even as the text's last byte).
constexpr std::size_t Cp932CharactersEnd(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  while (end < count) {
    const bool lead = end < text.size() && IsCp932LeadByte(static_cast<unsigned char>(text[end]));
    end += lead ? 2 : 1;
  }
  return end;
}

}  // namespace oxi
