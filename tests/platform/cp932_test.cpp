#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "platform/text/cp932.h"
#include "platform/text/utf8.h"

namespace oxi {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";
constexpr std::uint64_t kWholeTableHash = 0x1b938c687c7e2128;

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

TEST(Cp932, WindowsCodePageMappingsBothWays) {
  // The full-width tilde is 0x8160 in Windows' code page (plain Shift_JIS has no such
  // mapping for it).
  EXPECT_EQ(Utf8ToCp932("～"), Bytes({0x81, 0x60}));
  EXPECT_EQ(Cp932ToUtf8(Bytes({0x81, 0x60})), "～");
  EXPECT_EQ(Utf8ToCp932("ー"), Bytes({0x81, 0x5B}));
  EXPECT_EQ(Utf8ToCp932("心拍数"), Bytes({0x90, 0x53, 0x94, 0x8F, 0x90, 0x94}));
  EXPECT_EQ(Cp932ToUtf8(Bytes({0x90, 0x53, 0x94, 0x8F, 0x90, 0x94})), "心拍数");
  // Half-width katakana are single bytes.
  EXPECT_EQ(Utf8ToCp932("ｱｲｳ"), Bytes({0xB1, 0xB2, 0xB3}));
  EXPECT_EQ(Cp932ToUtf8(Bytes({0xB1, 0xB2, 0xB3})), "ｱｲｳ");
  // NEC special characters exist only in the Windows code page.
  EXPECT_EQ(Utf8ToCp932("①"), Bytes({0x87, 0x40}));
  // Characters that only the JIS meaning of a code has are not in it: 0x5C is the
  // backslash, 0x8160 the full-width tilde.
  EXPECT_EQ(Utf8ToCp932("¥〜"), "??");
}

// Every one- and two-byte sequence decoded and every character up to U+FFFF encoded, as
// one checksum: the operating systems' tables (iconv, Windows' code page 932) must give
// the same text both ways. After a deliberate change, the failure prints the new value.
TEST(Cp932, TheWholeTableIsTheSameOnEveryOperatingSystem) {
  std::uint64_t hash = 14695981039346656037u;  // 64-bit FNV-1a
  auto add = [&](const std::string& bytes) {
    for (unsigned char b : bytes + '\n') hash = (hash ^ b) * 1099511628211u;
  };
  for (int lead = 0; lead < 256; ++lead) {
    add(Cp932ToUtf8(Bytes({lead})));
    if (lead < 0x80) continue;
    for (int trail = 0; trail < 256; ++trail) add(Cp932ToUtf8(Bytes({lead, trail})));
  }
  for (char32_t c = 1; c < 0x10000; ++c) {
    std::string utf8;
    AppendUtf8(utf8, c);
    add(Utf8ToCp932(utf8));
  }
  EXPECT_EQ(hash, kWholeTableHash) << "0x" << std::hex << hash;
}

TEST(Cp932, AsciiPassesUnchanged) {
  std::string ascii;
  for (int c = 0; c < 0x80; ++c) ascii += static_cast<char>(c);
  EXPECT_EQ(Cp932ToUtf8(ascii), ascii);
  EXPECT_EQ(Utf8ToCp932(ascii), ascii);
  EXPECT_EQ(Cp932ToUtf8(""), "");
  EXPECT_EQ(Utf8ToCp932("a\r\nb"), "a\r\nb");
}

TEST(Cp932, UndecodableBytesBecomeOneReplacementEach) {
  // A lead byte at the very end.
  EXPECT_EQ(Cp932ToUtf8(Bytes({'A', 0x82})), "A" + kReplacement);
  // A lead byte followed by a byte that cannot trail: only the lead is lost.
  EXPECT_EQ(Cp932ToUtf8(Bytes({0x82, 'B', 'C'})), kReplacement + "BC");
  // Bytes that start nothing, between good characters.
  EXPECT_EQ(Cp932ToUtf8(Bytes({'x', 0xA0, 0x81, 0x60, 0xFF, 'y'})),
            "x" + kReplacement + "～" + kReplacement + "y");
  // Single bytes that Windows reads as a control or private-use character.
  EXPECT_EQ(Cp932ToUtf8(Bytes({0x80, 0xFD, 0xFE})), kReplacement + kReplacement + kReplacement);
  EXPECT_EQ(Utf8ToCp932("\u0080\uF8F0"), "??");
}

TEST(Cp932, UnencodableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");
  EXPECT_EQ(Utf8ToCp932("é"), "?");
  // Malformed UTF-8: one mark per bad byte, the rest converted.
  EXPECT_EQ(Utf8ToCp932(Bytes({'a', 0xC3, 'b', 0xE3, 0x81})), "a?b??");
}

TEST(Cp932, LongAndArbitraryInputNeverFails) {
  // Longer than any internal buffer, with a character split across every boundary.
  std::string text;
  for (int i = 0; i < 20000; ++i) text += (i % 3 == 0) ? "拍" : "a";
  EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(text)), text);

  std::mt19937 rng(3);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int trial = 0; trial < 200; ++trial) {
    std::string bytes;
    for (int i = 0; i < 300; ++i) bytes += static_cast<char>(byte(rng));
    const std::string utf8 = Cp932ToUtf8(bytes);
    // Whatever came in, the result is well-formed UTF-8 that converts back.
    std::size_t pos = 0;
    while (pos < utf8.size()) {
      const std::size_t before = pos;
      const char32_t c = NextCodePoint(utf8, pos);
      // Malformed input would also read as U+FFFD, but one byte at a time.
      if (c == kReplacementChar) {
        ASSERT_EQ(pos - before, 3u);
      }
    }
    // Each lost byte comes back as one '?', every character as its own bytes.
    EXPECT_EQ(Utf8ToCp932(utf8).size(), bytes.size());
  }
}

TEST(Utf8, DecodingRejectsMalformedSequencesByteByByte) {
  auto decode = [](const std::string& s) {
    std::u32string out;
    for (std::size_t pos = 0; pos < s.size();) out += NextCodePoint(s, pos);
    return out;
  };
  EXPECT_EQ(decode("a心😀"), U"a心😀");
  EXPECT_EQ(decode(Bytes({0xC0, 0xAF})), U"\uFFFD\uFFFD");              // overlong '/'
  EXPECT_EQ(decode(Bytes({0xED, 0xA0, 0x80})), U"\uFFFD\uFFFD\uFFFD");  // a surrogate
  EXPECT_EQ(decode(Bytes({0xF4, 0x90, 0x80, 0x80})).size(), 4u);        // beyond U+10FFFF
  EXPECT_EQ(decode(Bytes({0xE5, 0xBF})), U"\uFFFD\uFFFD");              // cut short
  EXPECT_EQ(decode(Bytes({0x80, 'a'})), U"\uFFFDa");
  std::string encoded;
  for (char32_t c : std::u32string_view(U"a心😀")) AppendUtf8(encoded, c);
  EXPECT_EQ(encoded, "a心😀");
  std::string bad;
  AppendUtf8(bad, 0xD800);
  AppendUtf8(bad, 0x110000);
  EXPECT_EQ(bad, kReplacement + kReplacement);
}

}  // namespace
}  // namespace oxi
