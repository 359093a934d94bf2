#include "app/day_list_view.h"

#include <gtest/gtest.h>

#include "platform/gdi/surface.h"

namespace oxi {
namespace {

constexpr Colorref kFrame = Rgb(113, 111, 100);
constexpr Colorref kPaper = Rgb(1, 2, 3);

std::vector<std::string> Names(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "080315%02d%02d.oxi", i / 60, i % 60);
    names.push_back(name);
  }
  return names;
}

// Whether any pixel of list row r's band (text cell height 16 from y 9 + 20 r) has colour c.
bool RowHas(const Surface& s, int row, Colorref c) {
  for (int y = 9 + 20 * row; y < 25 + 20 * row; ++y)
    for (int x = 1; x < 228; ++x)
      if (s.Pixel(x, y) == c) return true;
  return false;
}

bool RowIsBlank(const Surface& s, int row) {
  for (int y = 9 + 20 * row; y < 25 + 20 * row; ++y)
    for (int x = 1; x < 228; ++x)
      if (s.Pixel(x, y) != kWhite) return false;
  return true;
}

TEST(DayListRowText, DateAndTimeFromTheName) {
  EXPECT_EQ(DayListRowText("0803150905.oxi"), "2008年03月15日09時05分");
  EXPECT_EQ(DayListRowText("9912312359b.oxi"), "2099年12月31日23時59分");
}

TEST(DayList, RowsWithEntriesOnlyInsideAWhiteAreaAndFrame) {
  Surface s(250, 180, kPaper);
  SurfaceDc dc(s);
  const auto names = Names(3);
  EXPECT_EQ(DrawDayList(dc, names, 3, 0), 3);
  for (int r = 0; r < 3; ++r) EXPECT_FALSE(RowIsBlank(s, r)) << r;
  for (int r = 3; r < 8; ++r) EXPECT_TRUE(RowIsBlank(s, r)) << r;
  EXPECT_EQ(s.Pixel(0, 0), kFrame);
  EXPECT_EQ(s.Pixel(249, 179), kFrame);
  EXPECT_EQ(s.Pixel(120, 179), kFrame);
  EXPECT_EQ(s.Pixel(227, 178), kWhite);  // the text area's last pixel
  EXPECT_EQ(s.Pixel(228, 100), kPaper);  // the scroll bar's columns are left alone
}

TEST(DayList, EmptyListIsAWhiteArea) {
  Surface s(250, 180, kPaper);
  SurfaceDc dc(s);
  DrawDayList(dc, {}, 0, 0);
  for (int r = 0; r < 8; ++r) EXPECT_TRUE(RowIsBlank(s, r)) << r;
}

TEST(DayList, DrawnFromTopShowsTheEntriesFromThere) {
  const auto names = Names(20);
  Surface scrolled(250, 180), direct(250, 180);
  SurfaceDc a(scrolled), b(direct);
  DrawDayList(a, names, 20, 12);
  const std::vector<std::string> tail(names.begin() + 12, names.end());
  DrawDayList(b, tail, 8, 0);
  for (int y = 0; y < 180; ++y)
    for (int x = 0; x < 250; ++x) ASSERT_EQ(scrolled.Pixel(x, y), direct.Pixel(x, y));
}

TEST(HoverRow, HighlightsOneRowWithAnEntryAndRedrawsOnlyOnChange) {
  Surface s(250, 180, kPaper);
  SurfaceDc dc(s);
  const auto names = Names(3);
  int hovered = -1;
  EXPECT_EQ(HoverRow(dc, names, 3, 0, hovered, 1), 1);
  EXPECT_EQ(hovered, 1);
  EXPECT_TRUE(RowHas(s, 1, kHoveredRowBackground));
  EXPECT_FALSE(RowHas(s, 0, kHoveredRowBackground));
  EXPECT_FALSE(RowHas(s, 2, kHoveredRowBackground));

  s.Fill(kPaper);  // a second hover on the same row must not draw
  EXPECT_EQ(HoverRow(dc, names, 3, 0, hovered, 1), 1);
  EXPECT_EQ(s.Pixel(10, 10), kPaper);

  // Row 5 shows no entry: the highlight goes and nothing new is lit.
  EXPECT_EQ(HoverRow(dc, names, 3, 0, hovered, 5), 5);
  for (int r = 0; r < 8; ++r) EXPECT_FALSE(RowHas(s, r, kHoveredRowBackground)) << r;
  // Above the rows.
  EXPECT_EQ(HoverRow(dc, names, 3, 0, hovered, -7), -1);
  EXPECT_EQ(hovered, -1);
}

TEST(HoverRow, RowEightAndEmptyLists) {
  Surface s(250, 180, kPaper);
  SurfaceDc dc(s);
  const auto names = Names(12);
  int hovered = 2;
  EXPECT_EQ(HoverRow(dc, names, 12, 4, hovered, 8), -1);  // below the eighth row
  EXPECT_EQ(hovered, -1);
  for (int r = 0; r < 8; ++r) EXPECT_FALSE(RowHas(s, r, kHoveredRowBackground)) << r;

  Surface empty(250, 180, kPaper);
  SurfaceDc emptyDc(empty);
  hovered = 3;
  EXPECT_EQ(HoverRow(emptyDc, {}, 0, 0, hovered, 1), -1);
  EXPECT_EQ(hovered, -1);
  EXPECT_EQ(empty.Pixel(10, 10), kPaper);  // nothing drawn
}

}  // namespace
}  // namespace oxi
