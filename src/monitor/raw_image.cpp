#include "monitor/raw_image.h"

#include <algorithm>

#include "platform/text/crc32.h"

namespace oxi::monitor {
namespace {

void PutU16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
  out.push_back(static_cast<char>(value & 0xFF));
}

void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, value >> 16);
  PutU16(out, value & 0xFFFF);
}

std::uint32_t GetU16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at]) << 8) |
         static_cast<std::uint8_t>(bytes[at + 1]);
}

std::uint32_t GetU32(std::string_view bytes, std::size_t at) {
  return GetU16(bytes, at) << 16 | GetU16(bytes, at + 2);
}

std::optional<RawImage> Refuse(std::string* problem, const char* why) {
  if (problem) *problem = why;
  return std::nullopt;
}

RawImageTime DecodeTime(std::string_view bytes) {
  const auto field = [&](int i) {
    return static_cast<int>(static_cast<std::uint8_t>(bytes[kRawTimeOffset + 2 + i]));
  };
  return {static_cast<int>(GetU16(bytes, kRawTimeOffset)),
          field(0),
          field(1),
          field(2),
          field(3),
          field(4)};
}

}  // namespace

void RawImage::Add(int number, const SectorBytes& bytes) {
  if (Find(number)) return;
  sectors.push_back({static_cast<std::uint16_t>(number), bytes});
}

const SectorBytes* RawImage::Find(int number) const {
  const auto it = std::find_if(sectors.begin(), sectors.end(),
                               [number](const RawSector& s) { return s.number == number; });
  return it == sectors.end() ? nullptr : &it->bytes;
}

std::string EncodeRawImage(const RawImage& image) {
  std::string out(kRawImageMagic, kRawImageMagicLength);
  PutU16(out, kRawImageVersion);
  out.append(image.deviceId.begin(), image.deviceId.end());
  const RawImageTime& t = image.time;
  PutU16(out, static_cast<std::uint32_t>(t.year));
  for (int field : {t.month, t.day, t.hour, t.minute, t.second, 0}) {
    out.push_back(static_cast<char>(field));
  }
  PutU32(out, static_cast<std::uint32_t>(image.sectors.size()));
  for (const RawSector& sector : image.sectors) {
    PutU16(out, sector.number);
    out.append(sector.bytes.begin(), sector.bytes.end());
  }
  PutU32(out, Crc32(out));
  return out;
}

std::optional<RawImage> DecodeRawImage(std::string_view bytes, std::string* problem) {
  if (bytes.size() < static_cast<std::size_t>(kRawHeaderSize + kRawChecksumSize) ||
      bytes.substr(0, kRawImageMagicLength) != kRawImageMagic) {
    return Refuse(problem, "not a raw image");
  }
  if (GetU16(bytes, kRawVersionOffset) != kRawImageVersion) {
    return Refuse(problem, "a raw image of another format version");
  }
  const std::uint32_t count = GetU32(bytes, kRawSectorCountOffset);
  const std::size_t body = bytes.size() - kRawChecksumSize;
  if (count > kRawMaxSectors ||
      body != kRawHeaderSize + static_cast<std::size_t>(count) * kRawSectorEntrySize) {
    return Refuse(problem, "cut short, or longer than its sector count says");
  }
  if (Crc32(bytes.substr(0, body)) != GetU32(bytes, body)) {
    return Refuse(problem, "checksum mismatch: the image is damaged");
  }
  RawImage image;
  std::copy_n(bytes.begin() + kRawDeviceIdOffset, kDeviceIdLength, image.deviceId.begin());
  image.time = DecodeTime(bytes);
  for (std::uint32_t k = 0; k < count; ++k) {
    const std::size_t at = kRawHeaderSize + static_cast<std::size_t>(k) * kRawSectorEntrySize;
    RawSector sector;
    sector.number = static_cast<std::uint16_t>(GetU16(bytes, at));
    std::copy_n(bytes.begin() + at + kRawSectorNumberSize, kSectorSize, sector.bytes.begin());
    image.sectors.push_back(sector);
  }
  return image;
}

}  // namespace oxi::monitor
