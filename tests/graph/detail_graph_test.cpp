#include "graph/detail_graph.h"

#include <gtest/gtest.h>

#include "graph/test_measurement.h"
#include "platform/gdi/surface.h"

namespace oxi {
namespace {

using testing::MakeConstant;
using testing::MakeMeasurement;

constexpr Colorref kRed = Rgb(255, 0, 0);
constexpr Colorref kGreen = Rgb(0, 160, 0);
constexpr Colorref kBlue = Rgb(0, 64, 255);
constexpr Colorref kOrange = Rgb(255, 127, 0);
constexpr Colorref kGrid = Rgb(224, 224, 224);
constexpr Colorref kFrame = Rgb(113, 111, 100);

// Rows of the constant samples below: StO2 500 -> 175, HR 50 -> 250, oxHb 100 -> 485,
// dxHb 50 -> 560, toHb 150 -> 410.
constexpr Sample kSteady{500, 50, 100, 50};

struct Drawn {
  Surface control{720, 685};
  int offset = 0;
};

// The graph of `m` as it is drawn after its load: from its unaveraged rows.
void Draw(Drawn& d, const CurrentMeasurement& m, int offset, int thumb) {
  DisplaySeries series;
  ComputeDisplaySeriesUnaveraged(m, series);
  SurfaceDc dc(d.control);
  d.offset = offset;
  DrawDetailGraph(dc, m, series, d.offset, thumb);
}

int CountColor(const Surface& s, Colorref c, int left, int top, int right, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) count += s.Pixel(x, y) == c;
  }
  return count;
}

int CountNotWhite(const Surface& s, int left, int top, int right, int bottom) {
  return (right - left) * (bottom - top) - CountColor(s, kWhite, left, top, right, bottom);
}

TEST(DetailGraph, ConstantSeriesDrawTwoRowsAcrossThePlot) {
  Drawn d;
  Draw(d, MakeConstant(3600, 10, kSteady), 0, 424);
  for (int x = 61; x <= 658; ++x) {
    ASSERT_EQ(d.control.Pixel(x, 175), kRed) << x;
    ASSERT_EQ(d.control.Pixel(x, 176), kRed) << x;
    ASSERT_EQ(d.control.Pixel(x, 250), kGreen) << x;
    ASSERT_EQ(d.control.Pixel(x, 485), kBlue) << x;
    ASSERT_EQ(d.control.Pixel(x, 561), kGreen) << x;
    ASSERT_EQ(d.control.Pixel(x, 410), kOrange) << x;
    ASSERT_EQ(d.control.Pixel(x, 411), kOrange) << x;
  }
  EXPECT_NE(d.control.Pixel(100, 174), kRed);
  EXPECT_NE(d.control.Pixel(100, 177), kRed);
  // The last sample (x = 659) ends the last line and is not painted.
  EXPECT_NE(d.control.Pixel(659, 176), kRed);
  // The plot frame is drawn over the curves' first column.
  EXPECT_EQ(d.control.Pixel(60, 176), kBlack);
}

TEST(DetailGraph, InvalidSamplesLeaveDotsEveryThirdColumnAtTheLastHeight) {
  // Samples 1200..2399 (columns 260..459) are invalid; HR goes on through them.
  Drawn d;
  Draw(d,
       MakeMeasurement(3600, 10,
                       [](int i) {
                         return i >= 1200 && i < 2400 ? Sample{-1, 50, 0, 0} : kSteady;
                       }),
       0, 424);
  for (int x = 262; x <= 458; ++x) {
    const bool dot = x % 3 == 0;
    ASSERT_EQ(d.control.Pixel(x, 175) == kOrange, dot) << x;  // StO2's gap colour
    ASSERT_EQ(d.control.Pixel(x, 485) == kBlue, dot) << x;
    ASSERT_EQ(d.control.Pixel(x, 560) == kGreen, dot) << x;
    ASSERT_NE(d.control.Pixel(x, 176), kRed) << x;
    ASSERT_NE(d.control.Pixel(x, 176), kOrange) << x;  // dots are one pixel high
    ASSERT_EQ(d.control.Pixel(x, 250), kGreen) << x;
  }
  // The invalid samples' own rows (the bottom of each plot) are never drawn.
  EXPECT_EQ(CountColor(d.control, kRed, 61, 320, 660, 325), 0);
}

TEST(DetailGraph, GridTicksAndFrames) {
  Drawn d;
  Draw(d, MakeConstant(0, 0, kSteady), 0, 424);
  for (int k = 1; k <= 9; ++k) {
    EXPECT_EQ(d.control.Pixel(300, 25 + 30 * k), kGrid) << k;
    EXPECT_EQ(d.control.Pixel(300, 335 + 30 * k), kGrid) << k;
    EXPECT_EQ(d.control.Pixel(61, 25 + 30 * k), kGrid) << k;
  }
  EXPECT_EQ(d.control.Pixel(300, 26), Rgb(255, 255, 255));
  for (int p = 0; p <= 600; p += 150) {
    for (int y = 635; y <= 638; ++y) EXPECT_EQ(d.control.Pixel(60 + p, y), kBlack) << p;
    EXPECT_NE(d.control.Pixel(60 + p + 1, 637), kBlack) << p;
  }
  EXPECT_EQ(d.control.Pixel(60, 25), kBlack);
  EXPECT_EQ(d.control.Pixel(660, 325), kBlack);
  EXPECT_EQ(d.control.Pixel(660, 635), kBlack);
  EXPECT_EQ(d.control.Pixel(0, 300), kFrame);
  EXPECT_EQ(d.control.Pixel(719, 300), kFrame);
  EXPECT_EQ(d.control.Pixel(300, 0), kFrame);
  EXPECT_EQ(d.control.Pixel(300, 684), kFrame);
}

TEST(DetailGraph, HeaderAndCurvesOnlyWithSamples) {
  Drawn empty;
  Draw(empty, MakeConstant(0, 10, kSteady), 0, 424);
  EXPECT_EQ(CountNotWhite(empty.control, 80, 5, 600, 21), 0);
  EXPECT_EQ(CountColor(empty.control, kRed, 61, 60, 660, 325), 0);

  // Four samples: a header but not a single curve segment.
  Drawn four;
  Draw(four, MakeConstant(4, 10, kSteady), 0, 424);
  EXPECT_GT(CountNotWhite(four.control, 80, 5, 600, 21), 50);
  EXPECT_EQ(CountColor(four.control, kRed, 61, 60, 660, 325), 0);
  EXPECT_EQ(CountColor(four.control, kOrange, 61, 380, 660, 635), 0);
}

TEST(DetailGraph, OffsetIsClampedAndChoosesTheWindow) {
  // First half StO2 20.0 % (row 265), second half 80.0 % (row 85).
  const CurrentMeasurement m = MakeMeasurement(7200, 10, [](int i) {
    return Sample{static_cast<std::int16_t>(i < 3600 ? 200 : 800), 50, 100, 50};
  });
  Drawn start;
  Draw(start, m, -3, 212);
  EXPECT_EQ(start.offset, 0);
  EXPECT_GT(CountColor(start.control, kRed, 61, 265, 660, 266), 590);
  EXPECT_EQ(CountColor(start.control, kRed, 61, 85, 660, 86), 0);

  Drawn end;
  Draw(end, m, 1000, 212);
  EXPECT_EQ(end.offset, 212);
  EXPECT_GT(CountColor(end.control, kRed, 61, 85, 660, 86), 590);
  EXPECT_EQ(CountColor(end.control, kRed, 61, 265, 660, 266), 0);
}

}  // namespace
}  // namespace oxi
