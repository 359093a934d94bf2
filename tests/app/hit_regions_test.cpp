#include "app/hit_regions.h"

#include <gtest/gtest.h>

#include "app/buttons.h"

namespace oxi {
namespace {

TEST(MonthArrows, InclusiveRectangles) {
  EXPECT_TRUE(InPreviousMonthArrow(796, 90));
  EXPECT_TRUE(InPreviousMonthArrow(825, 116));
  EXPECT_FALSE(InPreviousMonthArrow(795, 100));
  EXPECT_FALSE(InPreviousMonthArrow(826, 100));
  EXPECT_FALSE(InPreviousMonthArrow(800, 117));
  EXPECT_TRUE(InNextMonthArrow(928, 90));
  EXPECT_TRUE(InNextMonthArrow(957, 116));
  EXPECT_FALSE(InNextMonthArrow(958, 100));
  EXPECT_FALSE(InNextMonthArrow(927, 100));
}

// Truncating division lets four extra columns of column 0 (and two extra rows of row 0)
// respond; the same columns and rows of the other cells do not.
TEST(CalendarCells, ColumnAndRowBands) {
  for (int x = 769; x <= 796; ++x) EXPECT_EQ(CalendarCellAt(x, 160), (CalendarCell{0, 0})) << x;
  EXPECT_FALSE(CalendarCellAt(768, 160));
  EXPECT_FALSE(CalendarCellAt(797, 160));
  for (int c = 1; c <= 6; ++c) {
    for (int x = 32 * c + 769; x <= 32 * c + 772; ++x) EXPECT_FALSE(CalendarCellAt(x, 160)) << x;
    EXPECT_EQ(CalendarCellAt(32 * c + 773, 160), (CalendarCell{c, 0}));
    EXPECT_EQ(CalendarCellAt(32 * c + 796, 160), (CalendarCell{c, 0}));
    EXPECT_FALSE(CalendarCellAt(32 * c + 797, 160));
  }
  EXPECT_EQ(CalendarCellAt(780, 148), (CalendarCell{0, 0}));
  EXPECT_EQ(CalendarCellAt(780, 149), (CalendarCell{0, 0}));
  EXPECT_FALSE(CalendarCellAt(780, 147));
  for (int r = 1; r <= 5; ++r) {
    EXPECT_FALSE(CalendarCellAt(780, 32 * r + 148)) << r;
    EXPECT_FALSE(CalendarCellAt(780, 32 * r + 149)) << r;
    EXPECT_EQ(CalendarCellAt(780, 32 * r + 150), (CalendarCell{0, r}));
    EXPECT_EQ(CalendarCellAt(780, 32 * r + 171), (CalendarCell{0, r}));
    EXPECT_FALSE(CalendarCellAt(780, 32 * r + 172)) << r;
  }
  EXPECT_FALSE(CalendarCellAt(780, 32 * 6 + 160));  // no seventh row
}

TEST(CalendarCells, DayOfACell) {
  EXPECT_EQ(DayOfCell({6, 0}, 6), 1);
  EXPECT_EQ(DayOfCell({0, 1}, 6), 2);
  EXPECT_EQ(DayOfCell({0, 0}, 6), -5);
  EXPECT_EQ(DayOfCell({4, 4}, 4), 29);
}

TEST(GraphScrollBarRegions, PartsAtBothEndsOfTheTrack) {
  const int w = 212;
  EXPECT_EQ(GraphBarPartAt(218, 680, 0, w), GraphBarPart::kLeftArrow);
  EXPECT_EQ(GraphBarPartAt(234, 696, 0, w), GraphBarPart::kLeftArrow);
  EXPECT_EQ(GraphBarPartAt(234, 697, 0, w), GraphBarPart::kNone);
  EXPECT_EQ(GraphBarPartAt(234, 679, 0, w), GraphBarPart::kNone);
  EXPECT_EQ(GraphBarPartAt(662, 688, 0, w), GraphBarPart::kRightArrow);
  EXPECT_EQ(GraphBarPartAt(678, 688, 0, w), GraphBarPart::kRightArrow);
  EXPECT_EQ(GraphBarPartAt(679, 688, 0, w), GraphBarPart::kNone);
  // At offset 0 the thumb starts at 236; the single column 235 still pages left.
  EXPECT_EQ(GraphBarPartAt(235, 688, 0, w), GraphBarPart::kPageLeft);
  EXPECT_EQ(GraphBarPartAt(236, 688, 0, w), GraphBarPart::kThumb);
  EXPECT_EQ(GraphBarPartAt(236 + w, 688, 0, w), GraphBarPart::kThumb);
  EXPECT_EQ(GraphBarPartAt(237 + w, 688, 0, w), GraphBarPart::kPageRight);
  EXPECT_EQ(GraphBarPartAt(661, 688, 0, w), GraphBarPart::kPageRight);
  // Moved thumb.
  EXPECT_EQ(GraphBarPartAt(235 + 100, 688, 100, w), GraphBarPart::kPageLeft);
  EXPECT_EQ(GraphBarPartAt(236 + 100, 688, 100, w), GraphBarPart::kThumb);
  // A full-width thumb leaves column 661 to page right but nothing beyond.
  EXPECT_EQ(GraphBarPartAt(660, 688, 0, 424), GraphBarPart::kThumb);
  EXPECT_EQ(GraphBarPartAt(661, 688, 0, 424), GraphBarPart::kPageRight);
}

TEST(ListScrollBarRegions, PartsAroundTheThumb) {
  const int h = 54, p = 40;
  EXPECT_EQ(ListBarPartAt(985, 358, p, h), ListBarPart::kUpArrow);
  EXPECT_EQ(ListBarPartAt(1001, 374, p, h), ListBarPart::kUpArrow);
  EXPECT_EQ(ListBarPartAt(1002, 374, p, h), ListBarPart::kNone);
  EXPECT_EQ(ListBarPartAt(990, 375, p, h), ListBarPart::kNone);  // between arrow and page
  EXPECT_EQ(ListBarPartAt(990, 376, p, h), ListBarPart::kPageUp);
  EXPECT_EQ(ListBarPartAt(990, 374 + p, p, h), ListBarPart::kPageUp);
  EXPECT_EQ(ListBarPartAt(990, 375 + p, p, h), ListBarPart::kNone);
  EXPECT_EQ(ListBarPartAt(990, 376 + p, p, h), ListBarPart::kThumb);
  EXPECT_EQ(ListBarPartAt(990, 376 + p + h, p, h), ListBarPart::kThumb);
  EXPECT_EQ(ListBarPartAt(990, 377 + p + h, p, h), ListBarPart::kNone);
  EXPECT_EQ(ListBarPartAt(990, 378 + p + h, p, h), ListBarPart::kPageDown);
  EXPECT_EQ(ListBarPartAt(990, 513, p, h), ListBarPart::kPageDown);
  EXPECT_EQ(ListBarPartAt(990, 514, p, h), ListBarPart::kNone);
  EXPECT_EQ(ListBarPartAt(990, 515, p, h), ListBarPart::kDownArrow);
  EXPECT_EQ(ListBarPartAt(990, 531, p, h), ListBarPart::kDownArrow);
  EXPECT_EQ(ListBarPartAt(990, 532, p, h), ListBarPart::kNone);
  EXPECT_EQ(ListBarPartAt(984, 450, p, h), ListBarPart::kNone);
}

TEST(DayListRows, PressRowsIncludeTheBandUnderTheEighthRow) {
  EXPECT_EQ(DayListRowAt(755, 360), -1);
  EXPECT_EQ(DayListRowAt(755, 361), 0);
  EXPECT_EQ(DayListRowAt(988, 380), 0);
  EXPECT_EQ(DayListRowAt(989, 380), -1);
  EXPECT_EQ(DayListRowAt(754, 380), -1);
  EXPECT_EQ(DayListRowAt(800, 381), 1);
  EXPECT_EQ(DayListRowAt(800, 520), 7);
  EXPECT_EQ(DayListRowAt(800, 521), 8);
  EXPECT_EQ(DayListRowAt(800, 534), 8);
  EXPECT_EQ(DayListRowAt(800, 535), -1);
}

TEST(DayListRows, HoverRowIsLimitedByTheCount) {
  EXPECT_EQ(HoveredDayListRow(800, 400, 20), 1);
  EXPECT_EQ(HoveredDayListRow(800, 360, 20), -1);  // above the first row
  EXPECT_EQ(HoveredDayListRow(800, 361, 20), 0);
  EXPECT_EQ(HoveredDayListRow(800, 530, 20), 8);
  EXPECT_EQ(HoveredDayListRow(800, 700, 20), 8);  // far below: no taller than row 8
  EXPECT_EQ(HoveredDayListRow(800, 470, 3), 3);   // past the entries: the count
  EXPECT_EQ(HoveredDayListRow(988, 400, 20), 1);
  EXPECT_EQ(HoveredDayListRow(989, 400, 20), -1);
  EXPECT_EQ(HoveredDayListRow(754, 400, 20), -1);
  EXPECT_EQ(HoveredDayListRow(800, 400, 0), 0);
}

TEST(Buttons, EdgesExcluded) {
  EXPECT_TRUE(InButton(kDownloadButton, 756, 19));
  EXPECT_TRUE(InButton(kDownloadButton, 824, 47));
  EXPECT_FALSE(InButton(kDownloadButton, 755, 30));
  EXPECT_FALSE(InButton(kDownloadButton, 825, 30));
  EXPECT_FALSE(InButton(kDownloadButton, 800, 18));
  EXPECT_FALSE(InButton(kDownloadButton, 800, 48));
  EXPECT_TRUE(InButton(kPrintButton, 835, 30));
  EXPECT_FALSE(InButton(kPrintButton, 904, 30));
  EXPECT_TRUE(InButton(kSaveButton, 982, 30));
  EXPECT_TRUE(InButton(kSpinUpButton, 886, 571));
  EXPECT_FALSE(InButton(kSpinUpButton, 886, 582));
  EXPECT_FALSE(InButton(kSpinDownButton, 886, 583));
  EXPECT_FALSE(InButton(kSpinDownButton, 886, 584));
  EXPECT_TRUE(InButton(kSpinDownButton, 902, 595));
  EXPECT_FALSE(InButton(kSpinDownButton, 903, 590));
}

}  // namespace
}  // namespace oxi
