// Scripted sessions of the window menu's analysis item and the analysis window beside the
// main window.
#include <gtest/gtest.h>

#include "analysis/episode_table.h"
#include "screen_test_support.h"
#include "views/analysis_layout.h"

namespace oxi::testing {
namespace {

constexpr int kBarY = 688;
constexpr int kRightArrowX = 670;

ScriptedToolWindow& AnalysisWindowOf(Session& s) {
  return *s.platform.toolWindows.at(0);
}

// Offered once a measurement is shown; the window then follows every load (a failed one
// leaves nothing to analyse) and goes when the main window ends.
TEST(AnalysisItem, OpensOverTheShownMeasurementAndFollowsEveryLoad) {
  Session s;
  s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 400);
  const std::string second = s.AddRecord(kDeviceA, 8, 3, 15, 9, 6, 200);
  s.Start();
  EXPECT_FALSE(s.dialog.MeasurementShown());
  s.dialog.OnAnalysisCommand();
  EXPECT_TRUE(s.platform.toolWindows.empty());

  s.Click(s.DayPoint(15));
  ASSERT_TRUE(s.dialog.MeasurementShown());
  s.dialog.OnAnalysisCommand();
  ScriptedToolWindow& w = AnalysisWindowOf(s);
  EXPECT_TRUE(w.shown);
  EXPECT_EQ(w.title, "解析 - 2008_0315_0905");
  EXPECT_EQ(s.dialog.AnalysisWindow().Result().summary.validSamples, 400);

  s.dialog.LoadRecord(second);
  EXPECT_EQ(w.title, "解析 - 2008_0315_0906");
  EXPECT_EQ(s.dialog.AnalysisWindow().Result().summary.validSamples, 200);
  s.dialog.LoadRecord("0803150907.oxi");
  EXPECT_FALSE(s.dialog.MeasurementShown());
  EXPECT_EQ(s.dialog.AnalysisWindow().Result().summary.validSamples, 0);

  s.platform.Queue({ScriptedEvent::Kind::kCancel});
  s.platform.RunUntilIdle();
  EXPECT_FALSE(w.shown);
}

// The analysis window is modeless: its press arrives while the main window holds its
// graph arrow and pumps, is answered there, and the arrow's loop still ends at its
// release.
TEST(AnalysisItem, TheWindowAnswersInsideTheMainWindowsLoops) {
  Session s;
  s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 7200);
  s.Start();
  s.Click(s.DayPoint(15));
  s.dialog.OnAnalysisCommand();
  const ToolRect copy = analysis_layout::kCopyButton;
  const std::int64_t t = s.Now();
  s.platform.QueueMove(kRightArrowX, kBarY);
  s.platform.QueueDown(kRightArrowX, kBarY);
  s.platform.Queue({ScriptedEvent::Kind::kLButtonDown, copy.x + 5, copy.y + 5, t + 5, 0});
  s.platform.QueueUp(kRightArrowX, kBarY, t + 20);
  s.platform.RunUntilIdle();
  EXPECT_EQ(s.platform.clipboard, TabSeparated(s.dialog.AnalysisWindow().Result()));
  EXPECT_GT(s.State().graphOffset, 0);
  EXPECT_EQ(s.State().graphHeld, 0);
}

}  // namespace
}  // namespace oxi::testing
