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
constexpr bool IsCp932LeadByte(unsigned char b) { return (b >= 0x80 && b <= 0x9F) || b >= 0xE0; }

}  // namespace oxi
