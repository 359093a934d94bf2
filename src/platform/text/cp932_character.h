#pragma once
#include <optional>
#include <string>
#include <string_view>

// One character at a time through the operating system's own table of Windows' Japanese
// code page; cp932.cpp cuts the text into characters and deals with what has no mapping.
namespace oxi::cp932 {

// The character that `bytes` (one byte, or a lead byte and the byte after it) stand for;
// nothing when the code page has none for them.
std::optional<char32_t> DecodeCharacter(std::string_view bytes);

// The bytes of a character beyond ASCII; nothing when the code page cannot hold it (no
// look-alike substitutes).
std::optional<std::string> EncodeCharacter(char32_t c);

}  // namespace oxi::cp932
