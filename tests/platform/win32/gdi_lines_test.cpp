#include <gtest/gtest.h>

#include <random>

#include "platform/win32/gdi_bitmap.h"

namespace oxi {
namespace {

using testing::FirstDifference;
using testing::GdiBitmap;
using testing::MirrorDc;

constexpr int kSide = 64;
constexpr Colorref kPaper = kWhite;
constexpr Colorref kInk = Rgb(0, 64, 255);

struct Line {
  int x0, y0, x1, y1;
};

// Draws one line on cleared surfaces with our rasterizer and with GDI; how they differ.
std::optional<std::string> Compare(const Line& l, Surface& ours, GdiBitmap& gdi) {
  ours.Fill(kPaper);
  gdi.Fill(kPaper);
  MirrorDc dc(ours, gdi);
  dc.SelectPen({kInk, 1});
  dc.MoveTo(l.x0, l.y0);
  dc.LineTo(l.x1, l.y1);
  return FirstDifference(ours, gdi);
}

// Random lines of every slope and direction, most of them inside the bitmap, many crossing
// its edges, some from far outside: our pixels must be GDI's, half-way steps and clipping
// included.
TEST(GdiLines, TwentyThousandRandomLinesArePixelIdenticalToGdi) {
  Surface ours(kSide, kSide);
  GdiBitmap gdi(kSide, kSide);
  ASSERT_TRUE(gdi.Ok());
  std::mt19937 rng(2024);
  std::uniform_int_distribution<int> inside(0, kSide - 1);
  std::uniform_int_distribution<int> around(-kSide / 2, kSide + kSide / 2);
  std::uniform_int_distribution<int> distant(-3000, 3000);
  constexpr int kLines = 20000;
  int differing = 0;
  for (int i = 0; i < kLines; ++i) {
    auto& pick = i % 10 < 6 ? inside : (i % 10 < 9 ? around : distant);
    const Line l{pick(rng), pick(rng), pick(rng), pick(rng)};
    if (const auto difference = Compare(l, ours, gdi)) {
      if (++differing <= 5) {
        ADD_FAILURE() << "(" << l.x0 << "," << l.y0 << ")->(" << l.x1 << "," << l.y1
                      << ") differs at " << *difference;
      }
    }
  }
  EXPECT_EQ(differing, 0) << "of " << kLines << " lines";
}

// Every direction of the two slopes with a half-way step, and the diagonals and straight
// lines, from the middle of the bitmap.
TEST(GdiLines, HalfWayStepsInEveryDirectionAreGdis) {
  Surface ours(kSide, kSide);
  GdiBitmap gdi(kSide, kSide);
  ASSERT_TRUE(gdi.Ok());
  constexpr int c = kSide / 2;
  for (int dx = -6; dx <= 6; ++dx) {
    for (int dy = -6; dy <= 6; ++dy) {
      const auto difference = Compare({c, c, c + dx, c + dy}, ours, gdi);
      EXPECT_FALSE(difference) << dx << "," << dy << ": " << *difference;
    }
  }
}

}  // namespace
}  // namespace oxi
