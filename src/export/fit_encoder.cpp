#include "export/fit_encoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace oxi::fit {
namespace {

// The protocol's CRC, four bits at a time.
constexpr std::array<std::uint16_t, 16> kCrcTable = {0x0000, 0xCC01, 0xD801, 0x1400, 0xF001, 0x3C00,
                                                     0x2800, 0xE401, 0xA001, 0x6C00, 0x7800, 0xB401,
                                                     0x5000, 0x9C01, 0x8801, 0x4400};

std::uint16_t CrcNibble(std::uint16_t crc, unsigned nibble) {
  const std::uint16_t tmp = kCrcTable[crc & 0xF];
  crc = (crc >> 4) & 0x0FFF;
  return crc ^ tmp ^ kCrcTable[nibble & 0xF];
}

void PutLittleEndian(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

constexpr std::uint8_t kLocalTypeMask = 0x0F;

}  // namespace

std::uint16_t Crc(std::string_view bytes, std::uint16_t crc) {
  for (unsigned char byte : bytes) {
    crc = CrcNibble(crc, byte);
    crc = CrcNibble(crc, byte >> 4);
  }
  return crc;
}

void Encoder::Define(std::uint8_t localType, std::uint16_t globalMessage,
                     std::initializer_list<Field> fields,
                     std::initializer_list<DeveloperField> developerFields) {
  std::uint8_t header = kDefinitionMessage | (localType & kLocalTypeMask);
  if (developerFields.size() != 0) header |= kHasDeveloperFields;
  data_ += static_cast<char>(header);
  data_ += '\0';  // reserved
  data_ += static_cast<char>(kLittleEndian);
  PutLittleEndian(data_, globalMessage, 2);
  data_ += static_cast<char>(fields.size());
  for (const Field& f : fields) {
    data_ += static_cast<char>(f.number);
    data_ += static_cast<char>(f.size);
    data_ += static_cast<char>(f.type);
  }
  if (developerFields.size() == 0) return;
  data_ += static_cast<char>(developerFields.size());
  for (const DeveloperField& f : developerFields) {
    data_ += static_cast<char>(f.number);
    data_ += static_cast<char>(f.size);
    data_ += static_cast<char>(f.developerDataIndex);
  }
}

Encoder& Encoder::Message(std::uint8_t localType) {
  data_ += static_cast<char>(localType & kLocalTypeMask);
  return *this;
}

Encoder& Encoder::U8(std::uint8_t value) {
  PutLittleEndian(data_, value, 1);
  return *this;
}

Encoder& Encoder::U16(std::uint16_t value) {
  PutLittleEndian(data_, value, 2);
  return *this;
}

Encoder& Encoder::U32(std::uint32_t value) {
  PutLittleEndian(data_, value, 4);
  return *this;
}

Encoder& Encoder::F32(float value) {
  return U32(std::bit_cast<std::uint32_t>(value));
}

Encoder& Encoder::F32Invalid() {
  return U32(kInvalidFloat32Bits);
}

Encoder& Encoder::String(std::string_view text, std::size_t size) {
  if (size == 0) return *this;
  const std::size_t kept = std::min(text.size(), size - 1);
  data_.append(text.substr(0, kept));
  data_.append(size - kept, '\0');
  return *this;
}

Encoder& Encoder::Bytes(const std::uint8_t* bytes, std::size_t size) {
  data_.append(reinterpret_cast<const char*>(bytes), size);
  return *this;
}

std::string Encoder::Finish() const {
  std::string file;
  file += static_cast<char>(kHeaderSize);
  file += static_cast<char>(kProtocolVersion);
  PutLittleEndian(file, kProfileVersion, 2);
  PutLittleEndian(file, data_.size(), 4);
  file += kSignature;
  PutLittleEndian(file, Crc(file), 2);
  file += data_;
  PutLittleEndian(file, Crc(file), 2);
  return file;
}

}  // namespace oxi::fit
