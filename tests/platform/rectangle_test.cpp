#include <gtest/gtest.h>

#include <climits>

#include "platform/gdi/dc.h"
#include "platform/gdi/surface.h"

namespace oxi {
namespace {

constexpr Colorref kPen = Rgb(10, 20, 30);
constexpr Colorref kFill = Rgb(240, 200, 100);
constexpr Colorref kPaper = Rgb(1, 2, 3);

Surface Drawn(int l, int t, int r, int b, int penWidth = 1) {
  Surface s(16, 16, kPaper);
  SurfaceDc dc(s);
  dc.SelectPen({kPen, penWidth});
  dc.SelectBrush({kFill});
  dc.Rectangle(l, t, r, b);
  return s;
}

TEST(Rectangle, OutlineIncludesCornersAndStopsBeforeRightAndBottom) {
  const Surface s = Drawn(2, 3, 8, 7);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool inside = x >= 2 && x < 8 && y >= 3 && y < 7;
      const bool edge = x == 2 || x == 7 || y == 3 || y == 6;
      const Colorref want = !inside ? kPaper : edge ? kPen : kFill;
      ASSERT_EQ(s.Pixel(x, y), want) << x << "," << y;
    }
  }
}

TEST(Rectangle, EmptyAndTinyRectangles) {
  const Surface blank(16, 16, kPaper);
  EXPECT_EQ(Drawn(5, 5, 5, 9), blank);
  EXPECT_EQ(Drawn(5, 5, 9, 5), blank);
  EXPECT_EQ(Drawn(9, 5, 5, 9), blank);
  // Two pixels wide: all outline, no room for the brush.
  const Surface thin = Drawn(4, 4, 6, 8);
  for (int y = 4; y < 8; ++y) {
    EXPECT_EQ(thin.Pixel(4, y), kPen);
    EXPECT_EQ(thin.Pixel(5, y), kPen);
  }
  EXPECT_EQ(thin.Pixel(6, 5), kPaper);
}

TEST(Rectangle, WidePenOutlineStaysInsideAndFarRectanglesClip) {
  const Surface s = Drawn(2, 2, 12, 12, 2);
  EXPECT_EQ(s.Pixel(2, 2), kPen);
  EXPECT_EQ(s.Pixel(3, 3), kPen);
  EXPECT_EQ(s.Pixel(4, 4), kFill);
  EXPECT_EQ(s.Pixel(10, 10), kPen);
  EXPECT_EQ(s.Pixel(11, 11), kPen);
  EXPECT_EQ(s.Pixel(12, 12), kPaper);
  EXPECT_EQ(s.Pixel(9, 9), kFill);

  // The whole int range: only the brush shows, the outline lies far outside.
  const Surface huge = Drawn(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 3);
  EXPECT_EQ(huge, Surface(16, 16, kFill));
  // Left edge inside, the rest far out.
  const Surface left = Drawn(3, -100000, 100000, 100000);
  EXPECT_EQ(left.Pixel(2, 8), kPaper);
  EXPECT_EQ(left.Pixel(3, 8), kPen);
  EXPECT_EQ(left.Pixel(15, 0), kFill);
}

TEST(BitBlt, CopiesTheBlockAndClipsAtSourceAndDestination) {
  Surface src(8, 8, kPaper);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) src.SetPixel(x, y, Rgb(x * 16, y * 16, 7));
  }
  Surface dst(10, 10, kWhite);
  SurfaceDc dc(dst);
  // Starts left of and above both surfaces and runs past their ends.
  dc.BitBlt(-2, 3, 20, 20, src, 1, -1);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      // Destination (x, y) shows source (x + 3, y - 4) where both are inside.
      const int sx = x + 3, sy = y - 4;
      const bool copied = sx >= 0 && sx < 8 && sy >= 0 && sy < 8;
      ASSERT_EQ(dst.Pixel(x, y), copied ? src.Pixel(sx, sy) : kWhite) << x << "," << y;
    }
  }
  Surface untouched(10, 10, kWhite);
  SurfaceDc udc(untouched);
  udc.BitBlt(INT_MAX - 1, 0, INT_MAX, 5, src, 0, 0);
  udc.BitBlt(0, 0, 5, 5, src, INT_MIN, INT_MIN);
  udc.BitBlt(0, 0, -5, 5, src, 0, 0);
  EXPECT_EQ(untouched, Surface(10, 10, kWhite));
}

TEST(BitBlt, OverlappingCopyWithinOneSurface) {
  Surface s(4, 6, kPaper);
  for (int y = 0; y < 6; ++y) s.FillRect(0, y, 4, y + 1, Rgb(y, 0, 0));
  SurfaceDc dc(s);
  dc.BitBlt(0, 2, 4, 4, s, 0, 0);  // rows 0..3 move down by two
  for (int y = 0; y < 6; ++y) EXPECT_EQ(s.Pixel(1, y), Rgb(y < 2 ? y : y - 2, 0, 0)) << y;
}

}  // namespace
}  // namespace oxi
