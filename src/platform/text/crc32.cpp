#include "platform/text/crc32.h"

#include <array>

namespace oxi {
namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;
constexpr int kBitsPerByte = 8;
constexpr int kSlices = 8;  // bytes taken per step
constexpr int kByteValues = 256;
constexpr std::uint32_t kLowByte = 0xFFu;

using Tables = std::array<std::array<std::uint32_t, kByteValues>, kSlices>;

// Table k gives the CRC of a byte followed by k zero bytes, so eight bytes combine in one
// step without a loop over their bits.
constexpr Tables MakeTables() {
  Tables t{};
  for (std::uint32_t b = 0; b < kByteValues; ++b) {
    std::uint32_t c = b;
    for (int bit = 0; bit < kBitsPerByte; ++bit) c = (c & 1u) ? (c >> 1) ^ kPolynomial : c >> 1;
    t[0][b] = c;
  }
  for (int k = 1; k < kSlices; ++k) {
    for (std::uint32_t b = 0; b < kByteValues; ++b) {
      t[k][b] = (t[k - 1][b] >> kBitsPerByte) ^ t[0][t[k - 1][b] & kLowByte];
    }
  }
  return t;
}
constexpr Tables kTables = MakeTables();

std::uint32_t ByteAt(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t crc = ~0u;
  std::size_t at = 0;
  for (; at + kSlices <= bytes.size(); at += kSlices) {
    // The first four bytes fold into the running value, the last four stand alone.
    const std::uint32_t low = crc ^ (ByteAt(bytes, at) | ByteAt(bytes, at + 1) << 8 |
                                     ByteAt(bytes, at + 2) << 16 | ByteAt(bytes, at + 3) << 24);
    crc = kTables[7][low & kLowByte] ^ kTables[6][(low >> 8) & kLowByte] ^
          kTables[5][(low >> 16) & kLowByte] ^ kTables[4][low >> 24] ^
          kTables[3][ByteAt(bytes, at + 4)] ^ kTables[2][ByteAt(bytes, at + 5)] ^
          kTables[1][ByteAt(bytes, at + 6)] ^ kTables[0][ByteAt(bytes, at + 7)];
  }
  for (; at < bytes.size(); ++at) {
    crc = (crc >> kBitsPerByte) ^ kTables[0][(crc ^ ByteAt(bytes, at)) & kLowByte];
  }
  return ~crc;
}

}  // namespace oxi
