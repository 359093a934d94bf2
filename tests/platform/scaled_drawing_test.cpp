// Drawing at a scale: the mapping of positions both ways, and what is drawn fresh at the
// device's pixels rather than enlarged.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/gdi/dc.h"
#include "platform/gdi/scale.h"
#include "platform/gdi/surface.h"

namespace oxi {
namespace {

constexpr Colorref kInk = Rgb(0, 0, 200);

// Every device pixel belongs to exactly one logical pixel, the one whose edges enclose it.
TEST(Scale, MapsEveryDevicePixelBackToTheLogicalPixelDrawnThere) {
  for (int steps = Scale::kMinSteps; steps <= Scale::kMaxSteps; ++steps) {
    const Scale s = Scale::OfSteps(steps);
    for (int d = -40; d < 400; ++d) {
      const int p = s.ToLogical(d);
      EXPECT_LE(s.ToDevice(p), d) << steps << " " << d;
      EXPECT_GT(s.ToDevice(p + 1), d) << steps << " " << d;
    }
  }
  const struct {
    double ratio;
    int dpi;
    int steps;
    int pen;
  } cases[] = {{1.0, 96, 4, 1},   {1.25, 120, 5, 1}, {1.5, 144, 6, 2},
               {1.75, 168, 7, 2}, {2.0, 192, 8, 2},  {2.5, 240, 10, 3},
               {3.0, 288, 12, 3}, {0.5, 48, 4, 1},   {9.0, 864, 12, 3}};
  for (const auto& c : cases) {
    EXPECT_EQ(Scale::FromRatio(c.ratio).Steps(), c.steps) << c.ratio;
    EXPECT_EQ(Scale::FromDpi(c.dpi).Steps(), c.steps) << c.dpi;
    EXPECT_EQ(Scale::FromRatio(c.ratio).PenWidth(1), c.pen) << c.ratio;
  }
}

Surface Drawn(Scale scale, void (*draw)(Dc&)) {
  Surface s(PixelGrid{scale}, 40, 30);
  SurfaceDc dc(s);
  draw(dc);
  return s;
}

// The 1x surface enlarged to whole squares of `k` pixels.
Surface Enlarged(const Surface& small, int k) {
  Surface large(small.Width() * k, small.Height() * k);
  for (int y = 0; y < large.Height(); ++y) {
    for (int x = 0; x < large.Width(); ++x) large.SetPixel(x, y, small.Pixel(x / k, y / k));
  }
  return large;
}

// Widths of the painted runs across the middle row of the drawing's painted rows.
std::set<int> StemWidths(const Surface& s) {
  int top = s.Height(), bottom = -1;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      if (s.Pixel(x, y) != kWhite) top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  std::set<int> widths;
  int run = 0;
  for (int x = 0; x <= s.Width(); ++x) {
    if (x < s.Width() && s.Pixel(x, (top + bottom) / 2) != kWhite) {
      ++run;
    } else if (run > 0) {
      widths.insert(run);
      run = 0;
    }
  }
  return widths;
}

// Text is set in the face at the doubled height, not enlarged: the upright strokes of
// these glyphs are one pixel wide at 1x and two at 2x, in the text colour only.
TEST(ScaledDrawing, TextIsSetAtTheScaledHeight) {
  auto draw = [](Dc& dc) {
    dc.SelectFont(Font{kScreenFace, 16, 0});
    dc.SetBkMode(BkMode::kTransparent);
    dc.SetTextColor(kInk);
    dc.TextOutUtf8(2, 2, "lI|");
  };
  const Surface one = Drawn(Scale(), draw);
  const Surface two = Drawn(Scale::OfSteps(8), draw);
  EXPECT_EQ(StemWidths(one), std::set<int>{1});
  EXPECT_EQ(StemWidths(two), std::set<int>{2});
  for (int y = 0; y < two.Height(); ++y) {
    for (int x = 0; x < two.Width(); ++x) {
      ASSERT_TRUE(two.Pixel(x, y) == kWhite || two.Pixel(x, y) == kInk) << x << "," << y;
    }
  }
  const auto round = [](Dc& dc) {
    dc.SelectFont(Font{kScreenFace, 16, 0});
    dc.SetBkMode(BkMode::kTransparent);
    dc.TextOutUtf8(2, 2, "0S");
  };
  EXPECT_NE(Drawn(Scale::OfSteps(8), round), Enlarged(Drawn(Scale(), round), 2));
}

// A sloping line is drawn between the mapped points at device pixels, a pen width across:
// every device column it crosses has exactly two pixels of it at 2x, and its steps fall
// where the device line steps, not in pairs of columns.
TEST(ScaledDrawing, SlopingLinesAreDrawnAtDevicePixels) {
  auto draw = [](Dc& dc) {
    dc.SelectPen(Pen{kInk, 1});
    dc.MoveTo(1, 2);
    dc.LineTo(17, 7);
  };
  const Surface two = Drawn(Scale::OfSteps(8), draw);
  for (int x = 2; x < 34; ++x) {
    int painted = 0;
    for (int y = 0; y < two.Height(); ++y) painted += two.Pixel(x, y) == kInk;
    EXPECT_EQ(painted, 2) << x;
  }
  EXPECT_EQ(two.Pixel(34, 14), kWhite);  // the end point is left out
  EXPECT_NE(two, Enlarged(Drawn(Scale(), draw), 2));
}

}  // namespace
}  // namespace oxi
