#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"
#include "platform/gdi/surface.h"

namespace oxi {
namespace {

constexpr Colorref kPaper = Rgb(250, 250, 250);
constexpr Colorref kBack = Rgb(255, 255, 0);
constexpr Colorref kInk = Rgb(0, 0, 200);

struct Cell {
  int left, top, right, bottom;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

Surface Text(const Font& font, BkMode mode, int x, int y, const std::string& text) {
  Surface s(200, 60, kPaper);
  SurfaceDc dc(s);
  dc.SelectFont(font);
  dc.SetBkColor(kBack);
  dc.SetTextColor(kInk);
  dc.SetBkMode(mode);
  dc.TextOutUtf8(x, y, text);
  return s;
}

// A face draws the same missing-glyph box for every character it lacks: each of these must
// draw a shape of its own, in both of the program's faces. (Wine without its font
// replacements falls back on a face without Latin digits: the dates showed as boxes.)
TEST(Fonts, DigitsAndJapaneseHaveGlyphsOfTheirOwn) {
  for (const char* face : {kScreenFace, kPrintFace}) {
    const Font font{face, 16, 0};
    std::vector<Surface> drawn;
    for (const char* c : {"0", "1", "8", "A", "心", "拍", "年"}) {
      drawn.push_back(Text(font, BkMode::kTransparent, 2, 2, c));
      EXPECT_NE(drawn.back(), Surface(200, 60, kPaper)) << face << " " << c;
    }
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      for (std::size_t j = i + 1; j < drawn.size(); ++j) {
        EXPECT_NE(drawn[i], drawn[j]) << face << ": characters " << i << " and " << j;
      }
    }
  }
}

TEST(Fonts, WidthsAddUpAndFollowTheHeight) {
  const Font small{kScreenFace, 16, 0};
  const Font large{kScreenFace, 20, 0};
  const int one = TextWidth(small, "0");
  EXPECT_GT(one, 0);
  EXPECT_EQ(TextWidth(small, "0000"), 4 * one);
  EXPECT_EQ(TextWidth(small, "12:34"), TextWidth(small, "12") + TextWidth(small, ":34"));
  EXPECT_GT(TextWidth(large, "0000"), TextWidth(small, "0000"));
  // A full-width character is wider than a half-width one.
  EXPECT_GT(TextWidth(small, "心"), TextWidth(small, "S"));
  EXPECT_EQ(TextWidth(small, ""), 0);
  // Bold is synthesised by thickening; its advance is not narrower.
  EXPECT_GE(TextWidth(Font{kScreenFace, 20, 700}, "0000"), TextWidth(large, "0000"));
}

TEST(TextOutUtf8, OpaqueModeFillsExactlyTheCellWithTheBackground) {
  const Font font{kScreenFace, 20, 0};
  const std::string label = "[StO2] 心拍数";
  const Surface s = Text(font, BkMode::kOpaque, 7, 5, label);
  const Cell cell{7, 5, 7 + TextWidth(font, label), 5 + font.height};
  int ink = 0, back = 0;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      const Colorref c = s.Pixel(x, y);
      if (!cell.Contains(x, y)) {
        ASSERT_EQ(c, kPaper) << "outside the cell at " << x << "," << y;
        continue;
      }
      // Glyphs are not anti-aliased: each cell pixel is either ink or background.
      ASSERT_TRUE(c == kInk || c == kBack) << x << "," << y;
      ink += c == kInk;
      back += c == kBack;
    }
  }
  // Glyph strokes in the text colour on a mostly background-coloured cell.
  EXPECT_GT(ink, 20);
  EXPECT_GT(back, (cell.right - cell.left) * font.height / 2);
}

TEST(TextOutUtf8, TransparentModeOnlyDrawsGlyphs) {
  const Font font{kScreenFace, 16, 0};
  const Surface s = Text(font, BkMode::kTransparent, 3, 4, "Download");
  const Cell cell{3, 4, 3 + TextWidth(font, "Download"), 4 + font.height};
  int ink = 0;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      const Colorref c = s.Pixel(x, y);
      ASSERT_NE(c, kBack);
      if (c != kPaper) {
        ASSERT_EQ(c, kInk) << x << "," << y;
        ASSERT_TRUE(cell.Contains(x, y)) << x << "," << y;
      }
      ink += c == kInk;
    }
  }
  EXPECT_GT(ink, 20);
}

TEST(TextOutUtf8, GlyphsSitInTheCellAndFollowThePosition) {
  const Font font{kScreenFace, 16, 0};
  const Surface a = Text(font, BkMode::kTransparent, 10, 10, "Ag");
  const Surface b = Text(font, BkMode::kTransparent, 13, 12, "Ag");
  for (int y = 0; y + 2 < a.Height(); ++y) {
    for (int x = 0; x + 3 < a.Width(); ++x) ASSERT_EQ(a.Pixel(x, y), b.Pixel(x + 3, y + 2));
  }
  // "A" reaches up near the cell's top and "g" below the baseline into the descent.
  int top = a.Height(), bottom = -1;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (a.Pixel(x, y) == kPaper) continue;
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  EXPECT_GE(top, 10);
  EXPECT_LE(top, 10 + font.height / 4);
  EXPECT_LT(bottom, 10 + font.height);
  EXPECT_GE(bottom, 10 + font.height * 3 / 4);
}

TEST(TextOutUtf8, TextPartlyOrWhollyOutsideIsClipped) {
  const Font font{kScreenFace, 20, 700};
  const Surface left = Text(font, BkMode::kOpaque, -15, -8, "88:88");
  EXPECT_NE(left.Pixel(0, 0), kPaper);  // the cell's visible corner is filled
  const Surface far = Text(font, BkMode::kOpaque, -100000, 100000, "88:88");
  EXPECT_EQ(far, Surface(200, 60, kPaper));
  const Surface right = Text(font, BkMode::kOpaque, 195, 55, "88:88");
  EXPECT_NE(right.Pixel(199, 59), kPaper);
  EXPECT_EQ(right.Pixel(194, 59), kPaper);
}

}  // namespace
}  // namespace oxi
