#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "monitor/sectors.h"

namespace oxi::monitor {

// A raw image keeps every sector a download read from a monitor, as it came over the line,
// so that its measurements can be decoded again should our decoding ever prove wrong. All
// values of more than one byte are stored most significant byte first:
//
//   offset  size  what
//   0       6     magic "OXIRAW"
//   6       2     format version (1)
//   8       12    the device ID as the system sector holds it
//   20      2     year of the download (four digits)
//   22      5     month, day, hour, minute, second of the download
//   27      1     zero
//   28      4     sector count N
//   32      N x 258  per sector: its number (2 bytes), its 256 bytes
//   32+258N 4     CRC-32 (IEEE 802.3, as zip and PNG use it) of every byte before it
inline constexpr char kRawImageMagic[] = "OXIRAW";
inline constexpr int kRawImageMagicLength = sizeof kRawImageMagic - 1;
inline constexpr std::uint16_t kRawImageVersion = 1;
inline constexpr int kRawVersionOffset = 6;
inline constexpr int kRawDeviceIdOffset = 8;
inline constexpr int kRawTimeOffset = 20;
inline constexpr int kRawTimeFields = 5;  // month .. second, a byte each after the year
inline constexpr int kRawSectorCountOffset = 28;
inline constexpr int kRawHeaderSize = 32;
inline constexpr int kRawSectorNumberSize = 2;
inline constexpr int kRawSectorEntrySize = kRawSectorNumberSize + kSectorSize;  // 258
inline constexpr int kRawChecksumSize = 4;
// A monitor's sector numbers are 16 bits: no image holds more than this.
inline constexpr std::uint32_t kRawMaxSectors = 0x10000;

// When the download read the sectors; it names the records whose own start time is none.
struct RawImageTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const RawImageTime&) const = default;
};

struct RawSector {
  std::uint16_t number = 0;
  SectorBytes bytes{};
  bool operator==(const RawSector&) const = default;
};

struct RawImage {
  std::array<std::uint8_t, kDeviceIdLength> deviceId{};
  RawImageTime time;
  std::vector<RawSector> sectors;  // in the order they were read, each number once

  // Takes a sector read; a number already kept keeps its first reading.
  void Add(int number, const SectorBytes& bytes);
  // The sector of that number, if it was read.
  const SectorBytes* Find(int number) const;
};

std::string EncodeRawImage(const RawImage& image);
// Nothing when the bytes are no raw image of a version we read, are cut short or longer,
// or fail the checksum; `problem`, when given, then says which.
std::optional<RawImage> DecodeRawImage(std::string_view bytes, std::string* problem = nullptr);

}  // namespace oxi::monitor
