#include "app/calendar.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/gdi/recording_dc.h"
#include "platform/gdi/surface.h"

namespace oxi {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

// Every day of the century lands in the column of its weekday and in the week row that
// counts from the row of day 1; days a month does not have give -1.
TEST(CellIndex, MatchesTheCivilCalendarForEveryDayOf2000To2099) {
  for (int yy = 0; yy <= 99; ++yy) {
    for (int m = 1; m <= 12; ++m) {
      const std::chrono::sys_days first = year_month_day{year(2000 + yy), month(m), day(1)};
      const int firstColumn = static_cast<int>(std::chrono::weekday(first).c_encoding());
      ASSERT_EQ(FirstColumn(yy, m), firstColumn) << yy << "-" << m;
      for (int d = 1; d <= 31; ++d) {
        const year_month_day date{year(2000 + yy), month(m), day(d)};
        if (!date.ok()) {
          ASSERT_EQ(CellIndex(yy, m, d), -1) << yy << "-" << m << "-" << d;
          continue;
        }
        const int column =
            static_cast<int>(std::chrono::weekday(std::chrono::sys_days(date)).c_encoding());
        const int row = (firstColumn + d - 1) / 7;
        ASSERT_EQ(CellIndex(yy, m, d), 10 * row + column) << yy << "-" << m << "-" << d;
      }
    }
  }
}

TEST(CellIndex, NamedDays) {
  EXPECT_EQ(CellIndex(0, 1, 1), 6);    // Saturday in row 0
  EXPECT_EQ(CellIndex(8, 5, 29), 44);  // Thursday in row 4
  EXPECT_EQ(CellIndex(1, 2, 29), -1);
  EXPECT_EQ(CellIndex(1, 2, 28) / 10, 4);
  for (int yy = 0; yy <= 96; yy += 4) EXPECT_NE(CellIndex(yy, 2, 29), -1) << yy;
  // 31-day months starting on a Saturday (January 2000) and a Friday (October 2010) need
  // the sixth row.
  EXPECT_EQ(CellIndex(0, 1, 31) / 10, 5);
  EXPECT_EQ(FirstColumn(10, 10), 5);
  EXPECT_EQ(CellIndex(10, 10, 31) / 10, 5);
  // A 30-day month starting on a Friday does not (September 2000).
  EXPECT_EQ(FirstColumn(0, 9), 5);
  EXPECT_EQ(CellIndex(0, 9, 30) / 10, 4);
}

TEST(InnerFrameColor, AddsHalfToEachChannelUpToFull) {
  EXPECT_EQ(InnerFrameColor(Rgb(255, 0, 255)), Rgb(255, 128, 255));
  EXPECT_EQ(InnerFrameColor(Rgb(0, 255, 0)), Rgb(128, 255, 128));
  EXPECT_EQ(InnerFrameColor(Rgb(255, 255, 0)), Rgb(255, 255, 128));
  EXPECT_EQ(InnerFrameColor(Rgb(100, 127, 200)), Rgb(228, 255, 255));
}

class DayCellPixels : public ::testing::TestWithParam<Colorref> {};

// March 2008: day 1 is a Saturday, so cell (6, 0) holds day 1 and (0, 0) holds none.
TEST_P(DayCellPixels, TwoPixelFrameWithEmptyCornersAndAnInnerRing) {
  const Colorref c = GetParam();
  const Colorref inner = InnerFrameColor(c);
  const Colorref paper = Rgb(1, 2, 3);
  Surface s(250, 290, paper);
  SurfaceDc dc(s);
  DrawDayCell(dc, 8, 3, 2, 3, c);  // day 11
  const int x0 = 32 * 2 + 18, y0 = 32 * 3 + 90;
  // Outer two-pixel ring x0-4..x0+23 by y0-2..y0+21 without its four outermost corners.
  for (int y = y0 - 2; y <= y0 + 21; ++y) {
    for (int x = x0 - 4; x <= x0 + 23; ++x) {
      const bool outerEdge = x == x0 - 4 || x == x0 + 23 || y == y0 - 2 || y == y0 + 21;
      const bool secondEdge = x == x0 - 3 || x == x0 + 22 || y == y0 - 1 || y == y0 + 20;
      const bool innerEdge = x == x0 - 2 || x == x0 + 21 || y == y0 || y == y0 + 19;
      const bool corner = (x == x0 - 4 || x == x0 + 23) && (y == y0 - 2 || y == y0 + 21);
      const bool innerCorner = (x == x0 - 1 || x == x0 + 20) && (y == y0 + 1 || y == y0 + 18);
      Colorref want = paper;
      if (corner) {
        want = paper;
      } else if (outerEdge || secondEdge) {
        want = c;
      } else if (innerEdge || innerCorner) {
        want = inner;
      }
      ASSERT_EQ(s.Pixel(x, y), want) << x - x0 << "," << y - y0;
    }
  }
  EXPECT_EQ(s.Pixel(x0 + 5, y0 + 5), paper);  // the day number's place is left alone
}

INSTANTIATE_TEST_SUITE_P(EveryFrameColour, DayCellPixels,
                         ::testing::Values(Rgb(255, 255, 255), Rgb(255, 0, 255), Rgb(0, 255, 255),
                                           Rgb(0, 255, 0), Rgb(255, 255, 0)));

TEST(DayCell, CellsOutsideTheMonthDrawNothing) {
  Surface s(250, 290);
  SurfaceDc dc(s);
  DrawDayCell(dc, 8, 3, 5, 0, Rgb(255, 0, 255));  // before Saturday the 1st
  DrawDayCell(dc, 8, 2, 6, 4, Rgb(255, 0, 255));  // after 2008-02-29 (Friday, row 4)
  DrawDayCell(dc, 1, 2, 4, 4, Rgb(255, 0, 255));  // 2001-02-29 does not exist
  for (int y = 0; y < 290; ++y) {
    for (int x = 0; x < 250; ++x) ASSERT_EQ(s.Pixel(x, y), kWhite) << x << "," << y;
  }
  DrawDayCell(dc, 8, 2, 5, 4, Rgb(255, 0, 255));  // 2008-02-29 exists
  EXPECT_EQ(s.Pixel(32 * 5 + 18 - 4, 32 * 4 + 90), Rgb(255, 0, 255));
}

TEST(DottedFrame, EverySecondPixelAlongTheOutlineFromTheTopLeft) {
  Surface s(250, 290);
  SurfaceDc dc(s);
  DrawDottedFrame(dc, kPreviousMonthArrow, kBlack);  // (41,30)-(70,56)
  // Down the left edge from the start: 0, 2, 4 ... set.
  EXPECT_EQ(s.Pixel(41, 30), kBlack);
  EXPECT_EQ(s.Pixel(41, 31), kWhite);
  EXPECT_EQ(s.Pixel(41, 56), kBlack);  // step 26
  EXPECT_EQ(s.Pixel(42, 56), kWhite);  // step 27
  EXPECT_EQ(s.Pixel(70, 56), kWhite);  // step 55: the count runs on across the corner
  EXPECT_EQ(s.Pixel(70, 55), kBlack);  // step 56
  EXPECT_EQ(s.Pixel(70, 30), kWhite);  // step 81
  EXPECT_EQ(s.Pixel(69, 30), kBlack);  // step 82
  EXPECT_EQ(s.Pixel(42, 30), kWhite);  // step 109, the last before the start
  int set = 0;
  for (int y = 0; y < 290; ++y)
    for (int x = 0; x < 250; ++x) set += s.Pixel(x, y) == kBlack;
  EXPECT_EQ(set, 55);  // half of the 110 outline pixels
  DrawDottedFrame(dc, kPreviousMonthArrow, kWhite);
  EXPECT_EQ(s.Pixel(41, 30), kWhite);
}

// The month number stands further left for the two-digit months; days 1..9 stand a
// little right of the cell origin where days 10.. start.
TEST(CalendarFace, TextPlacement) {
  RecordingDc september, october;
  DrawCalendarFace(september, 250, 290, 8, 9);
  DrawCalendarFace(october, 250, 290, 8, 10);
  auto textAt = [](const RecordingDc& dc, const std::string& text) {
    for (const RecordedOp& op : dc.OpsOf(RecordedOp::Kind::kTextOut))
      if (op.text == text) return std::pair{op.x0, op.y0};
    return std::pair{-1, -1};
  };
  EXPECT_EQ(textAt(september, " 9月 "), std::pair(83, 25));
  EXPECT_EQ(textAt(october, " 10月 "), std::pair(73, 25));
  EXPECT_EQ(textAt(october, "2008"), std::pair(103, 6));
  // 2008-10-01 is a Wednesday (column 3, row 0); the 10th a Friday in row 1.
  EXPECT_EQ(textAt(october, "1"), std::pair(32 * 3 + 23, 90));
  EXPECT_EQ(textAt(october, "10"), std::pair(32 * 5 + 18, 32 + 90));
  for (const RecordedOp& op : october.OpsOf(RecordedOp::Kind::kTextOut)) {
    if (op.text == "5" || op.text == "12" || op.text == "Sun") {
      EXPECT_EQ(op.textColor, Rgb(255, 0, 0)) << op.text;  // Sundays in red
    }
    if (op.text == "6" || op.text == "Mon") {
      EXPECT_EQ(op.textColor, kBlack) << op.text;
    }
  }
}

}  // namespace
}  // namespace oxi
