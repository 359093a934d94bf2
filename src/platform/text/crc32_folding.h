#pragma once
// The carry-less-multiply path of the CRC-32: only the x86-64 builds of GCC and Clang have
// it, and only processors that report the instruction take it.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace oxi {

// How much of `size` bytes the folding takes: a multiple of 16 bytes, at least 64; 0 when
// the bytes are too short or the processor cannot fold.
std::size_t FoldableLength(std::size_t size);

// The running (inverted) CRC after `bytes`, whose length FoldableLength gave.
std::uint32_t Crc32Folded(std::uint32_t crc, std::string_view bytes);

}  // namespace oxi
