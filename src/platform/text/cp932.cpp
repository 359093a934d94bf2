#include "platform/text/cp932.h"

#include <errno.h>
#include <iconv.h>

#include <array>

#include "platform/text/utf8.h"

namespace oxi {

namespace {

constexpr const char* kCp932Charset = "CP932";
constexpr const char* kUtf8Charset = "UTF-8";
constexpr const char* kUtf8Replacement = "\xEF\xBF\xBD";
constexpr char kUnencodable = '?';
constexpr std::size_t kChunkBytes = 4096;

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (Ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `in` as far as it can, appending to `out`. Returns the bytes consumed before
  // a byte sequence that cannot be converted (or in.size() when all went through).
  std::size_t Run(std::string_view in, std::string& out) {
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::array<char, kChunkBytes> chunk;
    while (srcLeft > 0) {
      char* dst = chunk.data();
      std::size_t dstLeft = chunk.size();
      const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(chunk.data(), chunk.size() - dstLeft);
      if (rc != static_cast<std::size_t>(-1)) break;
      if (errno != E2BIG) break;  // EILSEQ or EINVAL: the caller deals with the bad bytes
    }
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    return in.size() - srcLeft;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  std::string out;
  Converter conv(kUtf8Charset, kCp932Charset);
  if (!conv.Ok()) return out;
  out.reserve(cp932.size() * 3 / 2);
  while (!cp932.empty()) {
    const std::size_t done = conv.Run(cp932, out);
    cp932.remove_prefix(done);
    if (cp932.empty()) break;
    // A byte that starts no character, or a lead byte with no valid trail byte after it:
    // replace that one byte and go on with the next.
    out += kUtf8Replacement;
    cp932.remove_prefix(1);
  }
  return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
  std::string out;
  Converter conv(kCp932Charset, kUtf8Charset);
  if (!conv.Ok()) return out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    const std::size_t done = conv.Run(utf8, out);
    utf8.remove_prefix(done);
    if (utf8.empty()) break;
    // Skip the whole character CP932 cannot hold (or one byte of malformed UTF-8).
    std::size_t next = 0;
    NextCodePoint(utf8, next);
    out += kUnencodable;
    utf8.remove_prefix(next);
  }
  return out;
}

}  // namespace oxi
