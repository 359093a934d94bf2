#pragma once
#include <cstdint>
#include <string_view>

namespace oxi {

// The CRC-32 of zip and PNG (reflected polynomial 0xEDB88320, starting and ending
// inverted) of `bytes`; "123456789" gives 0xCBF43926. Eight bytes a step, because the
// figures' cache checks every record's bytes on every look at the store.
std::uint32_t Crc32(std::string_view bytes);

}  // namespace oxi
