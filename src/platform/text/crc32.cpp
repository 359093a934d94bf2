#include "platform/text/crc32.h"

#include <array>

#include "platform/text/crc32_folding.h"

namespace oxi {
namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;
constexpr int kBitsPerByte = 8;
constexpr int kSlices = 16;  // bytes taken per step
constexpr int kByteValues = 256;
constexpr std::uint32_t kLowByte = 0xFFu;

using Tables = std::array<std::array<std::uint32_t, kByteValues>, kSlices>;

// Table k gives the CRC of a byte followed by k zero bytes, so sixteen bytes combine in
// one step without a loop over their bits.
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

std::uint32_t Word(std::string_view bytes, std::size_t at) {
  return ByteAt(bytes, at) | ByteAt(bytes, at + 1) << 8 | ByteAt(bytes, at + 2) << 16 |
         ByteAt(bytes, at + 3) << 24;
}

// The table of byte `k` of a step: the first byte has the most zero bytes after it.
std::uint32_t Slice(int k, std::uint32_t byte) {
  return kTables[kSlices - 1 - k][byte];
}

// The running (inverted) CRC after `bytes`.
std::uint32_t TableUpdate(std::uint32_t crc, std::string_view bytes) {
  std::size_t at = 0;
  for (; at + kSlices <= bytes.size(); at += kSlices) {
    // The first four bytes fold into the running value, the other twelve stand alone.
    const std::uint32_t low = crc ^ Word(bytes, at);
    crc = Slice(0, low & kLowByte) ^ Slice(1, (low >> 8) & kLowByte) ^
          Slice(2, (low >> 16) & kLowByte) ^ Slice(3, low >> 24);
    for (int k = 4; k < kSlices; ++k) crc ^= Slice(k, ByteAt(bytes, at + k));
  }
  for (; at < bytes.size(); ++at) {
    crc = (crc >> kBitsPerByte) ^ kTables[0][(crc ^ ByteAt(bytes, at)) & kLowByte];
  }
  return crc;
}

}  // namespace

std::uint32_t Crc32Portable(std::string_view bytes) {
  return ~TableUpdate(~0u, bytes);
}

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t crc = ~0u;
  // The processor's carry-less multiply takes the long middle; the tables the rest.
  const std::size_t folded = FoldableLength(bytes.size());
  if (folded > 0) {
    crc = Crc32Folded(crc, bytes.substr(0, folded));
    bytes.remove_prefix(folded);
  }
  return ~TableUpdate(crc, bytes);
}

}  // namespace oxi
