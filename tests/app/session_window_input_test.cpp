// Scripted sessions of the moving-average field: Enter and the spin arrows.
#include <gtest/gtest.h>

#include "app/buttons.h"
#include "screen_test_support.h"

namespace oxi::testing {
namespace {

constexpr int kSpinX = 894;
constexpr int kSpinUpY = 576;
constexpr int kSpinDownY = 590;
constexpr const char* kInvalid = "入力値が不適切です。";

class WindowInput : public ::testing::Test {
 protected:
  void SetUp() override {
    s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 7200);
    s.Start();
  }
  void Load() { s.Click(s.DayPoint(15)); }
  void Enter(const std::string& text) {
    s.platform.SetWindowEditText(text);
    s.platform.Queue({ScriptedEvent::Kind::kEnter});
    s.platform.RunUntilIdle();
  }
  std::int64_t Now() { return s.platform.Virtual().NowMs(); }
  Session s;
};

TEST_F(WindowInput, EnterBeforeAnyLoadIsIgnored) {
  Enter("5");
  EXPECT_TRUE(s.platform.MessageBoxes().empty());
  EXPECT_EQ(s.State().movingAverageWindow, 1);
  EXPECT_FALSE(s.dialog.Ended());
}

TEST_F(WindowInput, AcceptedWindowsRedrawTheGraphWhereItIsScrolled) {
  Load();
  s.Click(600, 688);  // page right: offset 212
  ASSERT_EQ(s.State().graphOffset, 212);
  const Surface before = s.dialog.GetSurface(SurfaceId::kGraph);
  const auto rowsBefore = s.dialog.Series().rows;
  Enter("100");
  EXPECT_TRUE(s.platform.MessageBoxes().empty());
  EXPECT_EQ(s.State().movingAverageWindow, 100);
  EXPECT_EQ(s.State().graphOffset, 212);
  EXPECT_NE(s.dialog.Series().rows, rowsBefore);
  bool changed = false;
  const Surface& after = s.dialog.GetSurface(SurfaceId::kGraph);
  for (int y = 0; y < 661 && !changed; ++y)
    for (int x = 0; x < 720 && !changed; ++x) changed = after.Pixel(x, y) != before.Pixel(x, y);
  EXPECT_TRUE(changed);
  Enter("1");
  EXPECT_EQ(s.State().movingAverageWindow, 1);
  EXPECT_TRUE(s.platform.MessageBoxes().empty());
}

TEST_F(WindowInput, RejectedTextsShowTheMessageAndChangeNothing) {
  Load();
  Enter("7");
  const auto rows = s.dialog.Series().rows;
  int boxes = 0;
  for (const char* text : {"0", "101", "", "5a", "a", " 5", "1000", "0050"}) {
    Enter(text);
    ++boxes;
    ASSERT_EQ(static_cast<int>(s.platform.MessageBoxes().size()), boxes) << '"' << text << '"';
    EXPECT_EQ(s.platform.MessageBoxes().back().text, kInvalid);
    EXPECT_EQ(s.platform.MessageBoxes().back().caption, s.platform.ApplicationName());
    EXPECT_EQ(s.State().movingAverageWindow, 7);
    EXPECT_EQ(s.platform.WindowEditText(), text);
    EXPECT_EQ(s.dialog.Series().rows, rows);
  }
}

TEST_F(WindowInput, ALoadResetsTheWindowAndTheField) {
  Load();
  Enter("9");
  s.platform.SetWindowEditText("33");
  s.Click(s.DayPoint(15));
  EXPECT_EQ(s.State().movingAverageWindow, 1);
  EXPECT_EQ(s.platform.WindowEditText(), "1");
}

TEST_F(WindowInput, SpinArrowsStepTheFieldWithinItsLimits) {
  s.platform.SetWindowEditText("100");
  s.Click(kSpinX, kSpinUpY);
  EXPECT_EQ(s.platform.WindowEditText(), "100");
  s.Click(kSpinX, kSpinDownY);
  EXPECT_EQ(s.platform.WindowEditText(), "99");
  s.platform.SetWindowEditText("1");
  s.Click(kSpinX, kSpinDownY);
  EXPECT_EQ(s.platform.WindowEditText(), "1");
  s.platform.SetWindowEditText("abc");
  s.Click(kSpinX, kSpinUpY);
  EXPECT_EQ(s.platform.WindowEditText(), "abc");
  EXPECT_EQ(s.State().spinUpState, kButtonHovered);  // released over it
  EXPECT_EQ(s.State().movingAverageWindow, 1);       // stepping alone changes no graph
}

// One step at the press, the next after 200 ms, then one every 100 ms.
TEST_F(WindowInput, HeldSpinArrowRepeats) {
  s.platform.SetWindowEditText("5");
  s.platform.QueueMove(kSpinX, kSpinUpY);
  s.platform.QueueDown(kSpinX, kSpinUpY);
  s.platform.QueueUp(kSpinX, kSpinUpY, Now() + 450);
  s.platform.RunUntilIdle();
  EXPECT_EQ(s.platform.WindowEditText(), "9");
}

TEST_F(WindowInput, LeavingAHeldSpinArrowStopsIt) {
  s.platform.SetWindowEditText("50");
  s.platform.QueueMove(kSpinX, kSpinDownY);
  const std::int64_t t = Now();
  s.platform.QueueDown(kSpinX, kSpinDownY);
  s.platform.QueueMove(kSpinX, 640, t + 250);
  s.platform.QueueUp(kSpinX, 640, t + 5000);
  s.platform.RunUntilIdle();
  EXPECT_EQ(s.platform.WindowEditText(), "48");
  EXPECT_EQ(s.State().spinDownState, kButtonNormal);
}

}  // namespace
}  // namespace oxi::testing
