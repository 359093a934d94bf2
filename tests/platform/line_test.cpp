#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>

#include "platform/gdi/dc.h"
#include "platform/gdi/surface.h"

namespace oxi {
namespace {

constexpr Colorref kInk = Rgb(200, 10, 30);

using Points = std::set<std::pair<int, int>>;

Points Painted(const Surface& s, Colorref background = kWhite) {
  Points out;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      if (s.Pixel(x, y) != background) out.insert({x, y});
    }
  }
  return out;
}

Points Line(int x0, int y0, int x1, int y1, int width = 20, int height = 20) {
  Surface s(width, height);
  SurfaceDc dc(s);
  dc.SelectPen({kInk, 1});
  dc.MoveTo(x0, y0);
  dc.LineTo(x1, y1);
  return Painted(s);
}

TEST(LineTo, StraightLinesStopBeforeTheirEndPointInEveryDirection) {
  EXPECT_EQ(Line(2, 5, 6, 5), (Points{{2, 5}, {3, 5}, {4, 5}, {5, 5}}));
  EXPECT_EQ(Line(6, 5, 2, 5), (Points{{6, 5}, {5, 5}, {4, 5}, {3, 5}}));
  EXPECT_EQ(Line(7, 1, 7, 4), (Points{{7, 1}, {7, 2}, {7, 3}}));
  EXPECT_EQ(Line(7, 4, 7, 1), (Points{{7, 4}, {7, 3}, {7, 2}}));
  EXPECT_EQ(Line(3, 3, 4, 3), (Points{{3, 3}}));
  EXPECT_TRUE(Line(3, 3, 3, 3).empty());
}

TEST(LineTo, DiagonalsPaintOnePixelPerStepWithoutTheEndPoint) {
  EXPECT_EQ(Line(0, 0, 4, 4), (Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
  EXPECT_EQ(Line(4, 4, 0, 0), (Points{{4, 4}, {3, 3}, {2, 2}, {1, 1}}));
  EXPECT_EQ(Line(0, 4, 4, 0), (Points{{0, 4}, {1, 3}, {2, 2}, {3, 1}}));
}

// A step exactly half-way between two pixels takes the upper (x-major) or left (y-major)
// one, in all eight directions, as GDI paints them: lines from (10,10) to both ends of a
// slope of 1/2 or 2.
TEST(LineTo, HalfWayStepsTakeTheSmallerCoordinateInEveryDirection) {
  struct Case {
    int dx, dy;
    Points painted;
  };
  const Case cases[] = {
      {4, 2, {{10, 10}, {11, 10}, {12, 11}, {13, 11}}},
      {4, -2, {{10, 10}, {11, 9}, {12, 9}, {13, 8}}},
      {-4, 2, {{10, 10}, {9, 10}, {8, 11}, {7, 11}}},
      {-4, -2, {{10, 10}, {9, 9}, {8, 9}, {7, 8}}},
      {2, 4, {{10, 10}, {10, 11}, {11, 12}, {11, 13}}},
      {-2, 4, {{10, 10}, {9, 11}, {9, 12}, {8, 13}}},
      {2, -4, {{10, 10}, {10, 9}, {11, 8}, {11, 7}}},
      {-2, -4, {{10, 10}, {9, 9}, {9, 8}, {8, 7}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Line(10, 10, 10 + c.dx, 10 + c.dy), c.painted) << c.dx << "," << c.dy;
  }
}

TEST(LineTo, ALineAndItsReverseDifferOnlyInTheEndPointLeftOut) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> coord(0, 29);
  for (int trial = 0; trial < 300; ++trial) {
    const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
    if (x0 == x1 && y0 == y1) continue;
    Points forward = Line(x0, y0, x1, y1, 30, 30);
    Points backward = Line(x1, y1, x0, y0, 30, 30);
    forward.insert({x1, y1});
    backward.insert({x0, y0});
    ASSERT_EQ(forward, backward) << x0 << "," << y0 << " " << x1 << "," << y1;
  }
}

// Every painted pixel lies on the line's own stretch (start included, end excluded) and
// at most half a pixel across the major axis from the exact line.
void ExpectOnLine(const Points& p, long double x0, long double y0, long double x1, long double y1) {
  const long double dx = x1 - x0, dy = y1 - y0;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  for (const auto& [x, y] : p) {
    const long double t = xMajor ? (x - x0) / dx : (y - y0) / dy;
    const long double exact = xMajor ? y0 + t * dy : x0 + t * dx;
    const long double off = (xMajor ? y : x) - exact;
    EXPECT_LE(std::abs(off), 0.5L) << x0 << "," << y0 << " " << x1 << "," << y1;
    EXPECT_GE(t, 0.0L);
    EXPECT_LT(t, 1.0L);
  }
}

TEST(LineTo, EveryPixelIsTheNearestToTheExactLine) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(0, 39);
  for (int trial = 0; trial < 500; ++trial) {
    const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
    const Points p = Line(x0, y0, x1, y1, 40, 40);
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    ASSERT_EQ(static_cast<int>(p.size()), steps) << x0 << "," << y0 << " " << x1 << "," << y1;
    ExpectOnLine(p, x0, y0, x1, y1);
  }
}

TEST(LineTo, APolylineContinuesWithoutGapOrDoublePixel) {
  Surface s(30, 30);
  SurfaceDc dc(s);
  dc.SelectPen({kInk, 1});
  // Count how often each pixel is painted by xor-ing a marker into it.
  const int pts[][2] = {{1, 1}, {10, 1}, {10, 12}, {3, 20}, {25, 25}, {25, 2}};
  dc.MoveTo(pts[0][0], pts[0][1]);
  int expected = 0;
  for (std::size_t i = 1; i < std::size(pts); ++i) {
    const int dx = std::abs(pts[i][0] - pts[i - 1][0]);
    const int dy = std::abs(pts[i][1] - pts[i - 1][1]);
    expected += std::max(dx, dy);
    dc.LineTo(pts[i][0], pts[i][1]);
  }
  EXPECT_EQ(dc.CurrentX(), 25);
  EXPECT_EQ(dc.CurrentY(), 2);
  // Segments share only their joints, each painted once by the segment starting there,
  // so the pixel count equals the sum of the segments' steps.
  EXPECT_EQ(static_cast<int>(Painted(s).size()), expected);
  EXPECT_EQ(s.Pixel(10, 1), kInk);    // a joint
  EXPECT_EQ(s.Pixel(25, 2), kWhite);  // the last end point
}

TEST(LineTo, ClippingKeepsExactlyTheVisiblePartOfTheLine) {
  // The same lines drawn on a large surface and on a small window of it.
  constexpr int kOrigin = 60;
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> coord(-55, 95);
  for (int trial = 0; trial < 400; ++trial) {
    const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
    Surface big(200, 200);
    SurfaceDc bigDc(big);
    bigDc.MoveTo(x0 + kOrigin, y0 + kOrigin);
    bigDc.LineTo(x1 + kOrigin, y1 + kOrigin);
    Surface small(40, 30);
    SurfaceDc smallDc(small);
    smallDc.MoveTo(x0, y0);
    smallDc.LineTo(x1, y1);
    for (int y = 0; y < small.Height(); ++y) {
      for (int x = 0; x < small.Width(); ++x) {
        ASSERT_EQ(small.Pixel(x, y), big.Pixel(x + kOrigin, y + kOrigin))
            << "line " << x0 << "," << y0 << " " << x1 << "," << y1 << " at " << x << "," << y;
      }
    }
  }
}

TEST(LineTo, FarOutCoordinatesAreClippedWithoutOverflow) {
  // Horizontal through the surface from far left to far right.
  EXPECT_EQ(Line(-100000, 3, 100000, 3, 5, 5).size(), 5u);
  // A steep line that crosses the surface only for a few rows.
  const Points steep = Line(-100000, -400000, 100000, 400000, 10, 10);
  EXPECT_FALSE(steep.empty());
  for (const auto& [x, y] : steep) EXPECT_NEAR(y, 4 * x, 2);
  // Extremes of int in every combination: what shows is still the nearest pixels.
  const int far[] = {INT_MIN, -100000, 0, 3, 100000, INT_MAX};
  for (int a : far) {
    for (int b : far) {
      for (int c : far) {
        for (int d : far) ExpectOnLine(Line(a, b, c, d, 8, 8), a, b, c, d);
      }
    }
  }
  // The diagonal of the whole int range passes through the surface's own diagonal.
  EXPECT_EQ(Line(INT_MIN + 1, INT_MIN + 1, INT_MAX, INT_MAX, 4, 4),
            (Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
}

TEST(LineTo, AWidePenPaintsABandAcrossTheLineWithSquareEnds) {
  Surface s(20, 20);
  SurfaceDc dc(s);
  dc.SelectPen({kInk, 3});
  dc.MoveTo(5, 10);
  dc.LineTo(15, 10);
  // Rows 9..11, from the start's cap (x 4) through the end's cap (x 16).
  Points band;
  for (int y = 9; y <= 11; ++y) {
    for (int x = 4; x <= 16; ++x) band.insert({x, y});
  }
  EXPECT_EQ(Painted(s), band);

  // Joined at a right angle, two wide segments leave no notch at the outer corner.
  Surface corner(20, 20);
  SurfaceDc cdc(corner);
  cdc.SelectPen({kInk, 2});
  cdc.MoveTo(2, 5);
  cdc.LineTo(10, 5);
  cdc.LineTo(10, 0);
  for (int y = 5; y <= 6; ++y) {
    for (int x = 10; x <= 11; ++x) EXPECT_EQ(corner.Pixel(x, y), kInk) << x << "," << y;
  }
}

}  // namespace
}  // namespace oxi
