// Scripted sessions of the day list: thumb lengths, rows, arrows, pages and the thumb.
#include <gtest/gtest.h>

#include "screen_test_support.h"

namespace oxi::testing {
namespace {

constexpr int kBarX = 993;
constexpr int kUpArrowY = 366;
constexpr int kDownArrowY = 523;
constexpr int kRowX = 800;
int RowY(int row) {
  return 355 + 6 + 20 * row + 10;
}

// `count` records on 2008-03-15, one a minute from 00:00.
class DayListSession : public ::testing::Test {
 protected:
  void Fill(int count) {
    for (int i = 0; i < count; ++i) s.AddRecord(kDeviceA, 8, 3, 15, i / 60, i % 60, 20);
    s.Start();
    s.Click(s.DayPoint(15));
  }
  std::int64_t Now() { return s.Now(); }
  void Hold(int x, int y, std::int64_t ms) { s.Hold(x, y, ms); }
  const std::string& Entry(int i) { return s.dialog.Store().dayList[i]; }
  ScreenState& st() { return s.State(); }
  Session s;
};

TEST_F(DayListSession, ThumbLengthFollowsTheCount) {
  for (auto [count, length] : {std::pair{8, 137}, {9, 121}, {20, 54}}) {
    Session one;
    for (int i = 0; i < count; ++i) one.AddRecord(kDeviceA, 8, 3, 15, 10, i, 20);
    one.Start();
    one.Click(one.DayPoint(15));
    EXPECT_EQ(one.State().dayListCount, count);
    EXPECT_EQ(one.State().listThumbLength, length) << count;
  }
}

TEST_F(DayListSession, FiveHundredTwelveEntries) {
  Fill(512);
  EXPECT_EQ(st().dayListCount, 512);
  EXPECT_EQ(st().listThumbLength, 2);
  Hold(kBarX, kDownArrowY, 100'000);
  EXPECT_EQ(st().listTop, 504);
  EXPECT_EQ(st().listThumbPosition, 135);
}

TEST_F(DayListSession, RowPressLoadsThatRecord) {
  Fill(3);
  s.Click(kRowX, RowY(1));
  EXPECT_EQ(s.dialog.Measurement().recordName, Entry(1));
  EXPECT_EQ(st().hoveredRow, -1);
  EXPECT_EQ(st().graphOffset, 0);
  s.Click(kRowX, RowY(5));  // an empty row changes nothing
  EXPECT_EQ(s.dialog.Measurement().recordName, Entry(1));
}

TEST_F(DayListSession, HoverHighlightsTheRowUnderThePointer) {
  Fill(3);
  s.Move(kRowX, RowY(2));
  EXPECT_EQ(st().hoveredRow, 2);
  bool lit = false;
  for (int x = 1; x < 228; ++x) lit |= s.Pixel(SurfaceId::kList, x, 9 + 40 + 2) == Rgb(0, 224, 255);
  EXPECT_TRUE(lit);
  s.Move(kRowX, RowY(6));
  EXPECT_EQ(st().hoveredRow, 3);  // past the entries: highlights nothing
  s.Move(kRowX, 358);
  EXPECT_EQ(st().hoveredRow, -1);
}

TEST_F(DayListSession, TheBandUnderTheEighthRowPicksTheNextEntry) {
  Fill(9);
  s.Click(kRowX, 528);
  EXPECT_EQ(s.dialog.Measurement().recordName, Entry(8));
}

TEST_F(DayListSession, EightEntriesFillTheTrackAndScrollNowhere) {
  Fill(8);
  s.Click(kRowX, 528);  // under the eighth row: no ninth entry
  EXPECT_EQ(s.dialog.Measurement().recordName, Entry(0));
  Hold(kBarX, kDownArrowY, 1000);
  Hold(kBarX, 450, 1000);  // thumb
  EXPECT_EQ(st().listTop, 0);
  EXPECT_EQ(st().listThumbPosition, 0);
}

TEST_F(DayListSession, DownArrowStepsOnceThenRepeatsAfterAPause) {
  Fill(20);
  Hold(kBarX, kDownArrowY, 100);  // released before the pause ends: one step
  EXPECT_EQ(st().listTop, 1);
  EXPECT_EQ(st().listThumbPosition, 83 * 1 / 12);
  EXPECT_EQ(st().listDrawnTop, 1);
  Hold(kBarX, kDownArrowY, 260);  // one at the press, then one every 21 ms after 200 ms
  EXPECT_GE(st().listTop, 3);
  EXPECT_LE(st().listTop, 5);
  Hold(kBarX, kDownArrowY, 100'000);  // to the end, where the loop stops by itself
  EXPECT_EQ(st().listTop, 12);
  EXPECT_EQ(st().listThumbPosition, 83);
  EXPECT_EQ(st().listHeld, 0);
  Hold(kBarX, kUpArrowY, 100'000);
  EXPECT_EQ(st().listTop, 0);
  EXPECT_EQ(st().listThumbPosition, 0);
}

TEST_F(DayListSession, LeavingAHeldArrowStopsIt) {
  Fill(20);
  s.Move(kBarX, kDownArrowY);
  const std::int64_t t = Now();
  s.platform.QueueDown(kBarX, kDownArrowY);
  s.platform.QueueMove(kBarX, 600, t + 250);
  s.platform.QueueUp(kBarX, 600, t + 100'000);
  s.platform.RunUntilIdle();
  EXPECT_GE(st().listTop, 2);
  EXPECT_LE(st().listTop, 5);
}

// The thumb comes down to meet the pointer on a held down arrow; sliding onto it leaves the
// arrow and is no drag, so the repeat stops there.
TEST_F(DayListSession, SlidingFromAHeldArrowOntoTheThumbEndsTheRepeat) {
  Fill(20);
  s.Move(kBarX, kDownArrowY);
  const std::int64_t t = Now();
  s.platform.QueueDown(kBarX, kDownArrowY);
  s.platform.QueueMove(kBarX, 440, t + 250);  // on the thumb after a few steps
  s.platform.QueueMove(kBarX, 441, t + 260);
  s.platform.QueueUp(kBarX, 441, t + 100'000);
  s.platform.RunUntilIdle();
  EXPECT_GE(st().listTop, 2);
  EXPECT_LE(st().listTop, 5);
  EXPECT_EQ(st().listThumbPosition, 83 * st().listTop / 12);
  EXPECT_EQ(st().listDrawnTop, st().listTop);
}

TEST_F(DayListSession, PagesMoveTheThumbByItsLengthAndTheRowsFollow) {
  Fill(20);
  s.Click(kBarX, 500);  // below the thumb (376..430)
  EXPECT_EQ(st().listThumbPosition, 54);
  EXPECT_EQ(st().listTop, (12 * 54 + 41) / 83);
  EXPECT_EQ(st().listDrawnTop, st().listTop);
  s.Click(kBarX, 500);
  EXPECT_EQ(st().listThumbPosition, 83);
  EXPECT_EQ(st().listTop, 12);
  s.Click(kRowX, RowY(0));
  EXPECT_EQ(s.dialog.Measurement().recordName, Entry(12));
  s.Click(kBarX, 380);  // above the thumb
  EXPECT_EQ(st().listThumbPosition, 29);
  EXPECT_EQ(st().listTop, (12 * 29 + 41) / 83);
}

// Arrow steps move the thumb without counting as a drawn thumb position; a page that brings
// the thumb back to the position the last page drew changes list top all the same, and the
// rows on screen must follow, or a row press would load a record other than the one shown.
TEST_F(DayListSession, RowsOnScreenAlwaysMatchTheRowPress) {
  Fill(20);
  s.Click(kBarX, 500);              // page down: position 54, top 8
  Hold(kBarX, kUpArrowY, 100'000);  // arrows back to the top: position 0, top 0
  ASSERT_EQ(st().listTop, 0);
  ASSERT_EQ(st().listThumbPosition, 0);
  s.Click(kBarX, 500);  // page down again: position 54 as drawn before, top 8
  EXPECT_EQ(st().listTop, 8);
  EXPECT_EQ(st().listDrawnTop, 8);
  s.Click(kRowX, RowY(0));
  EXPECT_EQ(s.dialog.Measurement().recordName, Entry(8));
}

TEST_F(DayListSession, ThumbDragScrollsAndStopsAtTheTrackEnd) {
  Fill(20);
  s.platform.QueueMove(kBarX, 380);
  s.platform.QueueDown(kBarX, 380);
  for (int y = 385; y <= 520; y += 5) s.platform.QueueMove(kBarX, y);
  s.platform.QueueUp(kBarX, 520);
  s.platform.RunUntilIdle();
  EXPECT_EQ(st().listThumbPosition, 83);
  EXPECT_EQ(st().listTop, 12);
  EXPECT_EQ(st().listDrawnTop, 12);
  EXPECT_EQ(st().listHeld, 0);
}

}  // namespace
}  // namespace oxi::testing
