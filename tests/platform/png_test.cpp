#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/gdi/surface.h"

namespace oxi {
namespace {

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("oxi_platform_" + name)).string();
}

TEST(Png, RoundTripKeepsEveryPixel) {
  Surface s(37, 11);
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) s.SetPixel(x, y, Rgb(x * 7, y * 23, (x ^ y) * 5));
  }
  const std::string path = TempPath("roundtrip.png");
  ASSERT_TRUE(s.WritePng(path));
  const std::optional<Surface> back = Surface::ReadPng(path);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, s);
  std::filesystem::remove(path);
}

TEST(Png, UnreadableAndUnwritableFilesAreReported) {
  EXPECT_FALSE(Surface::ReadPng(TempPath("does_not_exist.png")).has_value());
  const std::string garbage = TempPath("garbage.png");
  std::ofstream(garbage) << "\x89PNG\r\n\x1a\n this is not a png";
  EXPECT_FALSE(Surface::ReadPng(garbage).has_value());
  std::filesystem::remove(garbage);
  EXPECT_FALSE(Surface(4, 4).WritePng("/nonexistent-folder/x.png"));
}

TEST(Surface, PixelAccessOutsideIsHarmless) {
  Surface s(3, 2, Rgb(9, 8, 7));
  EXPECT_EQ(s.Pixel(-1, 0), kBlack);
  EXPECT_EQ(s.Pixel(3, 0), kBlack);
  s.SetPixel(3, 1, kWhite);
  s.SetPixel(0, -1, kWhite);
  EXPECT_EQ(s, Surface(3, 2, Rgb(9, 8, 7)));
  // Channels are stored in R, G, B order, as a host shows them.
  s.SetPixel(1, 1, Rgb(1, 2, 3));
  const std::uint8_t* p = s.Data() + 1 * s.Stride() + 1 * 3;
  EXPECT_EQ(p[0], 1);
  EXPECT_EQ(p[1], 2);
  EXPECT_EQ(p[2], 3);
}

}  // namespace
}  // namespace oxi
