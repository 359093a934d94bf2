#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/text/utf8.h"

namespace oxi {

// UTF-16 in any 16-bit code unit type: char16_t, or wchar_t where the system's wide
// strings are UTF-16 (Windows). Code points that are not characters become U+FFFD.

template <class Unit>
void AppendUtf16(std::basic_string<Unit>& out, char32_t c) {
  constexpr char32_t kFirstSupplementary = 0x10000;
  constexpr char32_t kHighSurrogate = 0xD800;
  constexpr char32_t kLowSurrogate = 0xDC00;
  constexpr char32_t kMaxCodePoint = 0x10FFFF;
  if (c > kMaxCodePoint || (c >= kHighSurrogate && c < kLowSurrogate + 0x400)) {
    c = kReplacementChar;
  }
  if (c < kFirstSupplementary) {
    out += static_cast<Unit>(c);
    return;
  }
  c -= kFirstSupplementary;
  out += static_cast<Unit>(kHighSurrogate + (c >> 10));
  out += static_cast<Unit>(kLowSurrogate + (c & 0x3FF));
}

// Decodes the character at `pos` and moves past it; an unpaired surrogate gives U+FFFD and
// moves on by one unit.
template <class Unit>
char32_t NextUtf16CodePoint(std::basic_string_view<Unit> s, std::size_t& pos) {
  const char32_t first = static_cast<char16_t>(s[pos++]);
  if (first < 0xD800 || first > 0xDFFF) return first;
  if (first >= 0xDC00 || pos >= s.size()) return kReplacementChar;
  const char32_t second = static_cast<char16_t>(s[pos]);
  if (second < 0xDC00 || second > 0xDFFF) return kReplacementChar;
  ++pos;
  return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
}

template <class Unit>
std::basic_string<Unit> Utf16FromUtf8(std::string_view utf8) {
  std::basic_string<Unit> out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) AppendUtf16(out, NextCodePoint(utf8, pos));
  return out;
}

template <class Unit>
std::string Utf8FromUtf16(std::basic_string_view<Unit> utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  for (std::size_t pos = 0; pos < utf16.size();) AppendUtf8(out, NextUtf16CodePoint(utf16, pos));
  return out;
}

}  // namespace oxi
