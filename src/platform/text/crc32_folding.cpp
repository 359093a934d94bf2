// Folding, after the carry-less-multiply CRC method: four 128-bit lanes are carried
// through the bytes 64 at a time, each multiplied by x^(512) mod P (split into two 64-bit
// constants) and added to the next block, then folded into one lane, reduced to 64 and
// 32 bits and brought to the CRC by a Barrett reduction. The constants are those powers of
// x modulo the polynomial, bit-reflected as the CRC is.
#include "platform/text/crc32_folding.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define OXI_CRC_FOLDING 1
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace oxi {

#if OXI_CRC_FOLDING
namespace {

constexpr std::size_t kLane = 16;          // bytes of one 128-bit lane
constexpr std::size_t kBlock = 4 * kLane;  // the four lanes folded at once
constexpr unsigned kPclmulBit = 1u << 1;   // CPUID leaf 1, ECX
constexpr int kCpuidFeatures = 1;

// x^(4*128+32) and x^(4*128-32) mod P: four lanes ahead.
constexpr long long kFold4Low = 0x154442bd4LL;
constexpr long long kFold4High = 0x1c6e41596LL;
// x^(128+32) and x^(128-32) mod P: one lane ahead.
constexpr long long kFold1Low = 0x1751997d0LL;
constexpr long long kFold1High = 0x0ccaa009eLL;
// x^64 mod P: the last 32 bits folded into the rest.
constexpr long long kFold32 = 0x163cd6124LL;
// The polynomial with its x^32 term, and floor(x^64 / P), for the Barrett reduction.
constexpr long long kPolynomial = 0x1db710641LL;
constexpr long long kMu = 0x1f7011641LL;
constexpr int kLowWord = -1;  // all 32 bits set

bool ProcessorFolds() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  return __get_cpuid(kCpuidFeatures, &a, &b, &c, &d) != 0 && (c & kPclmulBit) != 0;
}

__attribute__((target("pclmul,sse2"))) __m128i Load(const char* at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

// `lane` carried `k`'s distance ahead, added to `next`.
__attribute__((target("pclmul,sse2"))) __m128i Fold(__m128i lane, __m128i k, __m128i next) {
  const __m128i low = _mm_clmulepi64_si128(lane, k, 0x00);
  const __m128i high = _mm_clmulepi64_si128(lane, k, 0x11);
  return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

// The 128-bit remainder brought down to the 32-bit CRC.
__attribute__((target("pclmul,sse2"))) std::uint32_t Reduce(__m128i x) {
  const __m128i mask = _mm_set_epi32(0, 0, 0, kLowWord);
  // 128 to 96 bits: the low half carried 64 bits ahead.
  x = _mm_xor_si128(_mm_clmulepi64_si128(x, _mm_set_epi64x(kFold1High, kFold1Low), 0x10),
                    _mm_srli_si128(x, 8));
  // 96 to 64 bits: the low 32 bits carried 32 bits ahead.
  x = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x, mask), _mm_set_epi64x(0, kFold32), 0),
                    _mm_srli_si128(x, 4));
  // 64 to 32 bits by Barrett: the quotient by mu, times the polynomial, taken away.
  const __m128i barrett = _mm_set_epi64x(kMu, kPolynomial);
  __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x, mask), barrett, 0x10);
  t = _mm_clmulepi64_si128(_mm_and_si128(t, mask), barrett, 0x00);
  return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(_mm_xor_si128(t, x), 4)));
}

__attribute__((target("pclmul,sse2"))) std::uint32_t Fold(std::uint32_t crc, const char* at,
                                                          std::size_t size) {
  const char* end = at + size;
  __m128i x[4];
  for (std::size_t k = 0; k < 4; ++k) x[k] = Load(at + k * kLane);
  x[0] = _mm_xor_si128(x[0], _mm_cvtsi32_si128(static_cast<int>(crc)));
  at += kBlock;
  const __m128i four = _mm_set_epi64x(kFold4High, kFold4Low);
  for (; end - at >= static_cast<std::ptrdiff_t>(kBlock); at += kBlock) {
    for (std::size_t k = 0; k < 4; ++k) x[k] = Fold(x[k], four, Load(at + k * kLane));
  }
  const __m128i one = _mm_set_epi64x(kFold1High, kFold1Low);
  __m128i lane = x[0];
  for (std::size_t k = 1; k < 4; ++k) lane = Fold(lane, one, x[k]);
  for (; at < end; at += kLane) lane = Fold(lane, one, Load(at));
  return Reduce(lane);
}

}  // namespace

std::size_t FoldableLength(std::size_t size) {
  static const bool folds = ProcessorFolds();
  if (!folds || size < kBlock) return 0;
  return size / kLane * kLane;
}

std::uint32_t Crc32Folded(std::uint32_t crc, std::string_view bytes) {
  return Fold(crc, bytes.data(), bytes.size());
}

#else

std::size_t FoldableLength(std::size_t) {
  return 0;
}

std::uint32_t Crc32Folded(std::uint32_t crc, std::string_view) {
  return crc;
}

#endif

}  // namespace oxi
