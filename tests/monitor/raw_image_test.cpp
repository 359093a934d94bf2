// The raw image's bytes laid out by hand where its documented layout puts them, so a wrong
// offset, byte order or checksum in the encoder shows; and the damage a reader refuses.
#include "monitor/raw_image.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text/crc32.h"

namespace oxi::monitor {
namespace {

RawImage TwoSectors() {
  RawImage image;
  for (int i = 0; i < kDeviceIdLength; ++i) image.deviceId[i] = static_cast<std::uint8_t>('A' + i);
  image.time = {2026, 12, 9, 23, 5, 59};
  SectorBytes system{};
  system[1] = 0x42;
  SectorBytes head{};
  head.fill(0x5A);
  image.Add(0, system);
  image.Add(0x0102, head);
  image.Add(0, head);  // read again: the first reading stays
  return image;
}

TEST(RawImage, BytesStandWhereTheLayoutSaysAndDecodeBack) {
  const std::string bytes = EncodeRawImage(TwoSectors());
  ASSERT_EQ(bytes.size(), 32u + 2 * 258u + 4u);
  EXPECT_EQ(bytes.substr(0, 8), std::string("OXIRAW\0\x01", 8));
  EXPECT_EQ(bytes.substr(8, 12), "ABCDEFGHIJKL");
  EXPECT_EQ(bytes.substr(20, 8), std::string("\x07\xEA\x0C\x09\x17\x05\x3B\x00", 8));
  EXPECT_EQ(bytes.substr(28, 4), std::string("\0\0\0\x02", 4));
  EXPECT_EQ(bytes.substr(32, 2), std::string("\0\0", 2));
  EXPECT_EQ(bytes[34 + 1], '\x42');
  EXPECT_EQ(bytes.substr(290, 3), "\x01\x02\x5A");
  const std::uint32_t crc = Crc32(std::string_view(bytes).substr(0, bytes.size() - 4));
  EXPECT_EQ(bytes.substr(bytes.size() - 4),
            std::string({static_cast<char>(crc >> 24), static_cast<char>(crc >> 16),
                         static_cast<char>(crc >> 8), static_cast<char>(crc)}));
  const std::optional<RawImage> back = DecodeRawImage(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->deviceId, TwoSectors().deviceId);
  EXPECT_EQ(back->time, TwoSectors().time);
  EXPECT_EQ(back->sectors, TwoSectors().sectors);
}

TEST(RawImage, DamageIsRefusedWithItsReason) {
  const std::string good = EncodeRawImage(TwoSectors());
  std::string flipped = good;
  flipped[100] ^= 0x01;
  std::string version = good;
  version[7] = 2;
  const struct {
    std::string bytes;
    const char* problem;
  } cases[] = {
      {"", "not a raw image"},
      {"PNG" + good.substr(3), "not a raw image"},
      {version, "a raw image of another format version"},
      {good.substr(0, good.size() - 1), "cut short, or longer than its sector count says"},
      {good + "x", "cut short, or longer than its sector count says"},
      {flipped, "checksum mismatch: the image is damaged"},
  };
  for (const auto& c : cases) {
    std::string problem;
    EXPECT_FALSE(DecodeRawImage(c.bytes, &problem));
    EXPECT_EQ(problem, c.problem);
  }
}

}  // namespace
}  // namespace oxi::monitor
