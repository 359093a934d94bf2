#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/gdi/surface.h"
#include "posix/file_size_limit.h"

namespace oxi {
namespace {

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("oxi_platform_" + name)).string();
}

// A PNG that cannot be written in full (a file-size limit, as a full disk) leaves the
// earlier file whole: the bytes are encoded first and go through the safe writer.
TEST(Png, AFailedWriteKeepsTheEarlierFile) {
  const std::string path = TempPath("kept.png");
  const Surface small(4, 4, Rgb(1, 2, 3));
  ASSERT_TRUE(small.WritePng(path));
  Surface noisy(400, 400);
  for (int y = 0; y < noisy.Height(); ++y) {
    for (int x = 0; x < noisy.Width(); ++x) noisy.SetPixel(x, y, Rgb(x * y, x ^ y, x + y * 3));
  }
  ASSERT_GT(noisy.EncodePng().size(), 8192u);
  EXPECT_TRUE(testing::InChildUnderFileSizeLimit(8192, [&] { return !noisy.WritePng(path); }));
  const std::optional<Surface> kept = Surface::ReadPng(path);
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(*kept, small);
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  EXPECT_EQ(bytes.str(), small.EncodePng());
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace oxi
