#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace oxi {

inline constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the character that starts at `pos` and moves `pos` past it. A malformed
// sequence (stray continuation byte, overlong form, surrogate, beyond U+10FFFF, cut
// short) gives U+FFFD and moves on by one byte, so decoding always makes progress.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos);

// Appends the UTF-8 form of `c` (U+FFFD for a value that is not a character).
void AppendUtf8(std::string& out, char32_t c);

}  // namespace oxi
