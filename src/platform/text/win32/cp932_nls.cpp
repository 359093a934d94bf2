#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/text/cp932_character.h"
#include "platform/text/utf16.h"

namespace oxi::cp932 {

namespace {

constexpr UINT kCodePage = 932;
constexpr int kMaxUnits = 4;

}  // namespace

std::optional<char32_t> DecodeCharacter(std::string_view bytes) {
  wchar_t units[kMaxUnits];
  const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                    static_cast<int>(bytes.size()), units, kMaxUnits);
  if (n <= 0) return std::nullopt;
  const std::wstring_view utf16(units, static_cast<std::size_t>(n));
  std::size_t pos = 0;
  const char32_t c = NextUtf16CodePoint(utf16, pos);
  // The bytes must be one character, all of them used.
  if (pos != utf16.size()) return std::nullopt;
  return c;
}

std::optional<std::string> EncodeCharacter(char32_t c) {
  std::wstring utf16;
  AppendUtf16(utf16, c);
  char bytes[kMaxUnits];
  BOOL substituted = FALSE;
  // Without best fit, a character the code page lacks is reported instead of being
  // replaced by a look-alike (an accented letter by the plain one).
  const int n =
      WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, utf16.data(),
                          static_cast<int>(utf16.size()), bytes, kMaxUnits, nullptr, &substituted);
  if (n <= 0 || substituted) return std::nullopt;
  return std::string(bytes, static_cast<std::size_t>(n));
}

}  // namespace oxi::cp932
