#include <iconv.h>

#include <algorithm>
#include <array>

#include "platform/text/cp932_character.h"
#include "platform/text/utf8.h"

namespace oxi::cp932 {

namespace {

constexpr const char* kCp932Charset = "CP932";
constexpr const char* kUtf32Charset = "UTF-32LE";  // no byte-order mark, unlike "UTF-32"
constexpr std::size_t kMaxCharacterBytes = 4;

// Characters glibc's CP932 also takes in their JIS X 0208 meaning (YEN SIGN for 0x5C, WAVE
// DASH for 0x8160, ...), which Windows' table does not hold: refused as on Windows.
constexpr std::array<char32_t, 9> kJisOnlyCharacters = {0x00A2, 0x00A3, 0x00A5, 0x00AC, 0x2014,
                                                        0x2016, 0x203E, 0x2212, 0x301C};

// One conversion direction, opened once for the life of the process. Single-threaded.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (Ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // The whole of `in` converted, or nothing when any of it cannot be.
  std::optional<std::string> Convert(std::string_view in) {
    if (!Ok()) return std::nullopt;
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::array<char, kMaxCharacterBytes * 2> buffer;
    char* dst = buffer.data();
    std::size_t dstLeft = buffer.size();
    const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    if (rc == static_cast<std::size_t>(-1) || srcLeft != 0) return std::nullopt;
    return std::string(buffer.data(), buffer.size() - dstLeft);
  }

 private:
  bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t cd_;
};

}  // namespace

std::optional<char32_t> DecodeCharacter(std::string_view bytes) {
  static Converter toUtf32(kUtf32Charset, kCp932Charset);
  const std::optional<std::string> utf32 = toUtf32.Convert(bytes);
  if (!utf32 || utf32->size() != sizeof(char32_t)) return std::nullopt;
  char32_t c = 0;
  for (int i = 3; i >= 0; --i) c = (c << 8) | static_cast<unsigned char>((*utf32)[i]);
  return c;
}

std::optional<std::string> EncodeCharacter(char32_t c) {
  static Converter fromUtf8(kCp932Charset, "UTF-8");
  if (std::find(kJisOnlyCharacters.begin(), kJisOnlyCharacters.end(), c) !=
      kJisOnlyCharacters.end()) {
    return std::nullopt;
  }
  std::string utf8;
  AppendUtf8(utf8, c);
  return fromUtf8.Convert(utf8);
}

}  // namespace oxi::cp932
