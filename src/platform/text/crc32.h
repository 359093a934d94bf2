#pragma once
#include <cstdint>
#include <string_view>

namespace oxi {

// The CRC-32 of zip and PNG (reflected polynomial 0xEDB88320, starting and ending
// inverted) of `bytes`; "123456789" gives 0xCBF43926. The figures' cache checks every
// record's bytes on every look at the store, so the long middle of the bytes is folded
// with the processor's carry-less multiply where it has one.
std::uint32_t Crc32(std::string_view bytes);

// The same CRC by tables alone, sixteen bytes a step: what every processor runs.
std::uint32_t Crc32Portable(std::string_view bytes);

}  // namespace oxi
