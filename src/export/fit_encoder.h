#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "export/fit_protocol.h"

namespace oxi::fit {

// The FIT CRC-16 of `bytes`, continuing from `crc` (0 to start).
std::uint16_t Crc(std::string_view bytes, std::uint16_t crc = 0);

// Builds a FIT file message by message: a definition names a local message type's global
// message and its fields; each data message then gives the values in that order, all
// little-endian. Finish puts the header in front and the CRC after.
class Encoder {
 public:
  struct Field {
    std::uint8_t number;
    std::uint8_t size;
    BaseType type;
  };
  struct DeveloperField {
    std::uint8_t number;
    std::uint8_t size;
    std::uint8_t developerDataIndex;
  };

  void Define(std::uint8_t localType, std::uint16_t globalMessage,
              std::initializer_list<Field> fields,
              std::initializer_list<DeveloperField> developerFields = {});
  // Starts a data message; its values follow.
  Encoder& Message(std::uint8_t localType);
  Encoder& U8(std::uint8_t value);
  Encoder& U16(std::uint16_t value);
  Encoder& U32(std::uint32_t value);
  Encoder& F32(float value);
  Encoder& F32Invalid();
  // `size` bytes: the text, cut to leave room for its NUL, padded with NULs.
  Encoder& String(std::string_view text, std::size_t size);
  Encoder& Bytes(const std::uint8_t* bytes, std::size_t size);

  // The whole file: header, the messages, CRC.
  std::string Finish() const;

 private:
  std::string data_;
};

}  // namespace oxi::fit
