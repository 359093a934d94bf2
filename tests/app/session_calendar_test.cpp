// Scripted sessions of the main window: start-up, the calendar and the day press.
#include <gtest/gtest.h>

#include "app/buttons.h"
#include "app/calendar.h"
#include "screen_test_support.h"

namespace oxi::testing {
namespace {

constexpr Colorref kMagenta = Rgb(255, 0, 255);
constexpr Colorref kGrey = Rgb(245, 245, 245);

// The outer frame pixel of a day's cell on the calendar control (left edge, mid height).
Colorref FrameOf(Session& s, int day) {
  const ScreenState& st = s.State();
  const int index = CellIndex(st.shownYear, st.shownMonth, day);
  return s.Pixel(SurfaceId::kCalendar, kCellPitch * (index % 10) + kCellOriginX - 4,
                 kCellPitch * (index / 10) + kCellOriginY + 10);
}

TEST(StartUp, InitialStateAndFirstPaint) {
  Session s;
  s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 100);
  s.platform.SetWindowEditText("7");
  s.Start();
  const ScreenState& st = s.State();
  EXPECT_EQ(st.shownYear, 8);
  EXPECT_EQ(st.shownMonth, 3);
  EXPECT_EQ(st.screenMode, 0);
  EXPECT_EQ(st.dayListCount, 0);
  EXPECT_EQ(st.graphOffset, 0);
  EXPECT_EQ(st.graphThumbWidth, 424);
  EXPECT_EQ(st.listThumbLength, 137);
  EXPECT_EQ(st.movingAverageWindow, 1);
  EXPECT_EQ(s.platform.WindowEditText(), "1");
  EXPECT_EQ(s.dialog.Measurement().title, "no-data");
  EXPECT_EQ(s.dialog.Store().currentDeviceId, kDeviceA);
  EXPECT_EQ(st.dayTable[14], kDayTableMarked);
  EXPECT_EQ(st.dayTable[15], kDayTableEmpty);
  EXPECT_EQ(FrameOf(s, 15), kMagenta);
  EXPECT_EQ(FrameOf(s, 16), kWhite);
  // The face: grey margins, white behind the controls' places, buttons in their normal look.
  EXPECT_EQ(s.Pixel(SurfaceId::kFace, 10, 5), kGrey);
  EXPECT_EQ(s.Pixel(SurfaceId::kFace, 5, 400), kGrey);
  EXPECT_EQ(s.Pixel(SurfaceId::kFace, 960, 690), kGrey);
  EXPECT_EQ(s.Pixel(SurfaceId::kFace, 1010, 300), kGrey);
  EXPECT_EQ(s.Pixel(SurfaceId::kFace, 830, 30), kGrey);    // between Download and Print
  EXPECT_EQ(s.Pixel(SurfaceId::kFace, 860, 585), kWhite);  // where the edit field sits
  EXPECT_EQ(s.Pixel(SurfaceId::kFace, 759, 44), Rgb(212, 245, 255));
  EXPECT_EQ(s.Pixel(SurfaceId::kList, 0, 0), Rgb(113, 111, 100));
  EXPECT_EQ(s.Pixel(SurfaceId::kGraph, 196, 670), Rgb(192, 192, 192));
}

// The first paint comes before the month's scan; once it is on the screen the calendar is
// drawn again with the days that hold records.
TEST(StartUp, TheMonthIsScannedOnceTheFirstPaintIsShown) {
  Session s;
  s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 100);
  s.dialog.OnInitDialog();
  s.dialog.FullRepaint();
  EXPECT_EQ(s.State().dayTable[14], kDayTableEmpty);
  EXPECT_EQ(FrameOf(s, 15), kWhite);
  s.dialog.OnFirstPaintShown();
  EXPECT_EQ(s.State().dayTable[14], kDayTableMarked);
  EXPECT_EQ(FrameOf(s, 15), kMagenta);
}

TEST(StartUp, ActivationRepaintsDeactivationDoesNot) {
  Session s;
  s.Start();
  const auto before = s.platform.presents;
  s.dialog.OnActivate(false);
  EXPECT_EQ(s.platform.presents, before);
  s.dialog.OnActivate(true);
  for (SurfaceId id : {SurfaceId::kFace, SurfaceId::kGraph, SurfaceId::kCalendar, SurfaceId::kList})
    EXPECT_GT(s.platform.presents[id], before.at(id));
  EXPECT_TRUE(s.dialog.OnEnterKey());  // nothing loaded: consumed, no message
  EXPECT_TRUE(s.platform.MessageBoxes().empty());
  EXPECT_FALSE(s.dialog.Ended());
  s.dialog.OnCancel();
  EXPECT_TRUE(s.dialog.Ended());
}

class DayPress : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int minute : {5, 10, 20}) names.push_back(s.AddRecord(kDeviceA, 8, 3, 15, 9, minute, 100));
    s.AddRecord(kDeviceA, 8, 3, 20, 9, 0, 50);
    s.Start();
  }
  Session s;
  std::vector<std::string> names;
};

TEST_F(DayPress, HoverPressAndReleaseLooksAndTheLoad) {
  const PixelPoint p = s.DayPoint(15);
  s.Move(p.x, p.y);
  EXPECT_EQ(FrameOf(s, 15), Rgb(0, 255, 0));
  EXPECT_EQ(s.State().hoveredDay, 15);

  s.platform.QueueDown(p.x, p.y);
  s.platform.RunUntilIdle();
  EXPECT_EQ(FrameOf(s, 15), Rgb(255, 255, 0));
  const ScreenState& st = s.State();
  EXPECT_EQ(st.dayListCount, 3);
  EXPECT_EQ(st.listTop, 0);
  EXPECT_EQ(st.listThumbLength, 137);
  EXPECT_EQ(st.screenMode, 1);
  EXPECT_EQ(st.graphOffset, 0);
  EXPECT_EQ(st.graphBarHover, 0);
  EXPECT_EQ(s.dialog.Measurement().n, 100);
  EXPECT_EQ(s.dialog.Measurement().recordName, s.dialog.Store().dayList[0]);
  EXPECT_EQ(s.dialog.Measurement().title.substr(0, 9), "2008_0315");

  s.platform.QueueUp(p.x, p.y);
  s.platform.RunUntilIdle();
  EXPECT_EQ(FrameOf(s, 15), Rgb(0, 255, 0));
  EXPECT_EQ(FrameOf(s, 20), kMagenta);
  EXPECT_EQ(st.graphHeld, 0);
  EXPECT_EQ(st.listHeld, 0);
}

TEST_F(DayPress, HoverOnADayWithoutRecordsIsCyanAndLeavingRestoresTheTable) {
  const PixelPoint p = s.DayPoint(16);
  s.Move(p.x, p.y);
  EXPECT_EQ(FrameOf(s, 16), Rgb(0, 255, 255));
  const PixelPoint fifteenth = s.DayPoint(15);
  s.Move(fifteenth.x, fifteenth.y);
  EXPECT_EQ(FrameOf(s, 16), kWhite);
  EXPECT_EQ(FrameOf(s, 15), Rgb(0, 255, 0));
  s.Move(400, 400);  // off the calendar
  EXPECT_EQ(s.State().hoveredDay, 0);
  EXPECT_EQ(FrameOf(s, 15), kMagenta);
}

TEST_F(DayPress, DaysWithoutRecordsAndEmptyCellsEmptyTheListAndKeepTheMeasurement) {
  s.Click(s.DayPoint(15));
  const std::string shown = s.dialog.Measurement().recordName;
  s.Click(s.DayPoint(16));
  EXPECT_EQ(s.State().dayListCount, 0);
  EXPECT_EQ(s.dialog.Measurement().recordName, shown);
  EXPECT_EQ(s.dialog.Measurement().n, 100);

  s.Click(s.DayPoint(15));
  // Cell (0, 0) of March 2008 lies before Saturday the 1st; cell (3, 5) after the 31st.
  for (PixelPoint p : {PixelPoint{780, 160}, PixelPoint{755 + 32 * 3 + 20, 60 + 32 * 5 + 95}}) {
    s.Click(p);
    EXPECT_EQ(s.State().dayListCount, 0);
    EXPECT_EQ(s.State().listThumbLength, 137);
    EXPECT_EQ(s.dialog.Measurement().recordName, shown);
    s.Click(s.DayPoint(15));
  }
}

// Column 0 answers four columns further left than the others do; the same holds for the
// two extra rows of row 0.
TEST_F(DayPress, CalendarBands) {
  // March 2008, 15th: Saturday, column 6, row 2; the 16th is column 0 of row 3; the 2nd
  // column 0 of row 1.
  s.Click(32 * 6 + 769, 60 + 90 + 2 * 32 + 5);  // x 961: the 15th's dead columns
  EXPECT_EQ(s.State().screenMode, 0);
  s.Click(32 * 6 + 773, 60 + 90 + 2 * 32 + 5);
  EXPECT_EQ(s.State().screenMode, 1);

  Session first(LocalTime{2008, 6, 1, 9, 0, 0});  // June 2008: the 1st is a Sunday
  first.AddRecord(kDeviceA, 8, 6, 1, 8, 0, 10);
  first.AddRecord(kDeviceA, 8, 6, 8, 8, 0, 10);
  first.Start();
  first.Click(769, 148);  // the farthest corner of the 1st's cell still answers
  EXPECT_EQ(first.State().dayListCount, 1);
  EXPECT_EQ(first.dialog.Measurement().day, 1);
  first.Click(769, 60 + 90 + 32 - 2);  // the same band above the 8th does not
  EXPECT_EQ(first.dialog.Measurement().day, 1);
  first.Click(773, 60 + 90 + 32);
  EXPECT_EQ(first.dialog.Measurement().day, 8);
}

TEST_F(DayPress, PressesAboveRowTwentyDoNothing) {
  s.Move(790, 19);  // over the Download button's top row: hovered look is drawn
  EXPECT_EQ(s.State().downloadButtonState, kButtonHovered);
  EXPECT_EQ(s.Pixel(SurfaceId::kFace, 759, 44), Rgb(232, 245, 255));
  s.platform.QueueDown(790, 19);
  s.platform.RunUntilIdle();
  EXPECT_EQ(s.State().downloadButtonState, kButtonHovered);
  EXPECT_TRUE(s.platform.Progress().log.empty());
  EXPECT_TRUE(s.platform.MessageBoxes().empty());
}

TEST_F(DayPress, MonthArrowsRescanAndEmptyTheList) {
  s.Click(s.DayPoint(15));
  s.Move(800, 100);  // onto "<<": dotted mark
  EXPECT_EQ(s.State().previousArrowHover, 1);
  EXPECT_EQ(s.Pixel(SurfaceId::kCalendar, 41, 30), kBlack);
  s.Click(800, 100);
  EXPECT_EQ(s.State().shownMonth, 2);
  EXPECT_EQ(s.State().dayListCount, 0);
  EXPECT_EQ(s.State().dayTable[14], kDayTableEmpty);
  EXPECT_EQ(s.Pixel(SurfaceId::kCalendar, 41, 30), kBlack);  // mark drawn again
  s.Move(900, 100);
  EXPECT_EQ(s.Pixel(SurfaceId::kCalendar, 41, 30), kWhite);
  s.Click(940, 100);
  EXPECT_EQ(s.State().shownMonth, 3);
  EXPECT_EQ(s.State().dayTable[14], kDayTableMarked);
  EXPECT_EQ(FrameOf(s, 15), kMagenta);
}

TEST(MonthArrows, StopAtTheEndsOfTheCentury) {
  Session start(LocalTime{2000, 1, 10, 9, 0, 0});
  start.Start();
  start.Click(800, 100);
  EXPECT_EQ(start.State().shownYear, 0);
  EXPECT_EQ(start.State().shownMonth, 1);
  start.Click(940, 100);
  EXPECT_EQ(start.State().shownMonth, 2);

  Session end(LocalTime{2099, 11, 10, 9, 0, 0});
  end.Start();
  end.Click(940, 100);
  end.Click(940, 100);
  end.Click(940, 100);
  EXPECT_EQ(end.State().shownYear, 99);
  EXPECT_EQ(end.State().shownMonth, 12);
  end.Click(800, 100);
  EXPECT_EQ(end.State().shownMonth, 11);
}

}  // namespace
}  // namespace oxi::testing
