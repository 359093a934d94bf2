// Scripted sessions of the graph scroll bar: held arrows, pages and thumb drags.
#include <gtest/gtest.h>

#include "screen_test_support.h"

namespace oxi::testing {
namespace {

constexpr int kBarY = 688;
constexpr int kLeftArrowX = 226;
constexpr int kRightArrowX = 670;

// A 7200-sample record shown after a day press: thumb 212 wide, offsets 0..212.
class GraphScroll : public ::testing::Test {
 protected:
  void SetUp() override {
    s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 7200);
    s.Start();
    s.Click(s.DayPoint(15));
    ASSERT_EQ(s.State().graphThumbWidth, 212);
  }
  std::int64_t Now() { return s.Now(); }
  void Hold(int x, int y, std::int64_t ms) { s.Hold(x, y, ms); }
  ScreenState& st() { return s.State(); }
  Session s;
};

TEST_F(GraphScroll, HeldRightArrowStepsTenPixelsUntilReleased) {
  Hold(kRightArrowX, kBarY, 5);
  EXPECT_GT(st().graphOffset, 0);
  EXPECT_LT(st().graphOffset, 212);
  EXPECT_EQ(st().graphOffset % 10, 0);
  EXPECT_EQ(st().graphDrawnOffset, st().graphOffset);
  EXPECT_EQ(st().graphHeld, 0);
  EXPECT_EQ(st().graphBarHover, 2);  // released over the arrow: its hovered look
}

TEST_F(GraphScroll, HeldArrowsStopAtTheEndsOfTheTrack) {
  Hold(kRightArrowX, kBarY, 10'000);
  EXPECT_EQ(st().graphOffset, 212);
  EXPECT_EQ(st().graphDrawnOffset, 212);
  Hold(kLeftArrowX, kBarY, 10'000);
  EXPECT_EQ(st().graphOffset, 0);
  EXPECT_EQ(st().graphDrawnOffset, 0);
}

TEST_F(GraphScroll, LeavingTheArrowStopsTheRepeatMovingInsideItDoesNot) {
  s.Move(kRightArrowX, kBarY);
  const std::int64_t t = Now();
  s.platform.QueueDown(kRightArrowX, kBarY);
  s.platform.QueueMove(kRightArrowX + 3, kBarY + 3, t + 3);  // still on the arrow
  s.platform.QueueMove(500, 600, t + 8);                     // off the bar
  s.platform.QueueUp(500, 600, t + 10'000);
  s.platform.RunUntilIdle();
  EXPECT_GE(st().graphOffset, 70);   // the move inside did not stop it
  EXPECT_LT(st().graphOffset, 212);  // leaving did, long before the release
}

// Sliding from a held arrow straight onto the thumb leaves the arrow like any other move
// off it; it is no drag, so the thumb does not jump by a grab point it never had, and the
// graph shows the offset the bar shows.
TEST_F(GraphScroll, SlidingFromAHeldArrowOntoTheThumbEndsTheRepeat) {
  s.Move(kRightArrowX, kBarY);
  const std::int64_t t = Now();
  s.platform.QueueDown(kRightArrowX, kBarY);
  s.platform.QueueMove(450, kBarY, t + 3);  // on the thumb once it has moved a few steps
  s.platform.QueueMove(452, kBarY, t + 6);
  s.platform.QueueUp(452, kBarY, t + 10'000);
  s.platform.RunUntilIdle();
  EXPECT_GE(st().graphOffset, 20);
  EXPECT_LE(st().graphOffset, 60);
  EXPECT_EQ(st().graphDrawnOffset, st().graphOffset);
  EXPECT_EQ(st().graphBarHover, 3);
}

TEST_F(GraphScroll, PagesMoveByTheThumbWidthAndClamp) {
  s.Click(600, kBarY);  // right of the thumb (236..448)
  EXPECT_EQ(st().graphOffset, 212);
  EXPECT_EQ(st().graphDrawnOffset, 212);
  s.Click(300, kBarY);  // left of it now
  EXPECT_EQ(st().graphOffset, 0);
  s.Click(235, kBarY);  // the one page-left column at offset 0
  EXPECT_EQ(st().graphOffset, 0);
}

TEST_F(GraphScroll, ThumbDragFollowsThePointerAndEndsPastTheTrack) {
  const int grab = 300;
  s.platform.QueueMove(grab, kBarY);
  s.platform.QueueDown(grab, kBarY);
  for (int x = grab + 5; x <= 700; x += 5) s.platform.QueueMove(x, kBarY);
  // Back onto the thumb: the drag ended when the pointer ran past it, so this moves nothing.
  s.platform.QueueMove(600, kBarY);
  s.platform.QueueUp(600, kBarY);
  s.platform.RunUntilIdle();
  EXPECT_EQ(st().graphOffset, 212);
  EXPECT_EQ(st().graphDrawnOffset, 212);
  EXPECT_EQ(st().graphHeld, 0);
}

TEST_F(GraphScroll, ThumbDragEndsWhenThePointerLeavesTheBarVertically) {
  s.platform.QueueMove(300, kBarY);
  s.platform.QueueDown(300, kBarY);
  s.platform.QueueMove(310, kBarY);
  s.platform.QueueMove(320, kBarY);
  s.platform.QueueMove(320, 640);  // above the bar
  s.platform.QueueMove(360, kBarY);
  s.platform.QueueUp(360, kBarY);
  s.platform.RunUntilIdle();
  EXPECT_EQ(st().graphOffset, 20);
  EXPECT_EQ(st().graphDrawnOffset, 20);
}

TEST_F(GraphScroll, TheDrawnThumbFollowsTheOffset) {
  s.Click(600, kBarY);
  const Surface& graph = s.dialog.GetSurface(SurfaceId::kGraph);
  EXPECT_EQ(graph.Pixel(216 + 212, 670), Rgb(128, 192, 255));  // thumb's left outline
  EXPECT_EQ(graph.Pixel(300, 670), Rgb(245, 245, 245));        // free track left of it
}

TEST(GraphScrollShort, ArrowsOfAFullWidthThumbEndAtOnce) {
  Session s;
  s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 3600);
  s.Start();
  s.Click(s.DayPoint(15));
  EXPECT_EQ(s.State().graphThumbWidth, 424);
  s.platform.maxIdlePumps = 1000;  // a loop that never ends would throw
  s.Click(kRightArrowX, kBarY);
  s.Click(kLeftArrowX, kBarY);
  EXPECT_EQ(s.State().graphOffset, 0);
}

}  // namespace
}  // namespace oxi::testing
