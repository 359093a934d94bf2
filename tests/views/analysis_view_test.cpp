// The analysis window on a scripted platform: what it opens with, the fields applied by
// Enter or refused, the chart, the copy of the table, the pages, following the main window.
#include "views/analysis_view.h"

#include <gtest/gtest.h>

#include "analysis/episode_table.h"
#include "analysis/test_bouts.h"
#include "platform/text/text_format.h"
#include "platform/ui/scripted_platform.h"
#include "res/texts.h"
#include "views/analysis_chart.h"
#include "views/analysis_layout.h"

namespace oxi {
namespace {

using namespace analysis_layout;
using testing::Bouts;
using testing::kBoutSamples;
using testing::kOneSecond;

class AnalysisViewTest : public ::testing::Test {
 protected:
  ScriptedToolWindow& Window() { return *platform.toolWindows.at(0); }
  // The user types into the three fields and presses Enter.
  void Apply(const std::string& delta, const std::string& smooth, const std::string& zones) {
    Window().edits = {delta, smooth, zones};
    Window().handlers.OnEnterKey();
  }
  void Press(const ToolRect& r) {
    Window().handlers.OnLButtonDown(r.x + r.width / 2, r.y + r.height / 2);
    Window().handlers.OnLButtonUp(r.x + r.width / 2, r.y + r.height / 2);
  }
  Colorref Pixel(int x, int y) const { return view.Pixels().Pixel(x, y); }

  ScriptedPlatform platform;
  CurrentMeasurement shown = Bouts(kBoutSamples, kOneSecond);
  AnalysisView view{platform, shown};
};

TEST_F(AnalysisViewTest, OpensOnceOverTheShownMeasurementWithTheDefaultParameters) {
  view.Open();
  view.Open();  // the same window, brought to the front
  ASSERT_EQ(platform.toolWindows.size(), 1u);
  const ScriptedToolWindow& w = Window();
  EXPECT_TRUE(w.shown);
  EXPECT_EQ(w.title, "解析 - 2008_0315_0905");
  EXPECT_EQ(w.form.width, kWidth);
  EXPECT_EQ(w.form.height, kHeight);
  EXPECT_EQ(w.form.edits.size(), kFields.size());
  EXPECT_EQ(w.edits, (std::vector<std::string>{"10", "5", "40,60"}));
  EXPECT_GT(w.presents, 0);
  EXPECT_EQ(view.Result().episodes.size(), 1u);
}

TEST_F(AnalysisViewTest, EnterAppliesTheThreeFieldsAndShowsThemAsTheyAreKept) {
  view.Open();
  Apply("7.50", "1", "30,50,70");
  EXPECT_EQ(view.Parameters().delta, 75);
  EXPECT_EQ(view.Parameters().smooth, 10);
  EXPECT_EQ(view.Parameters().zones, (std::vector<int>{300, 500, 700}));
  EXPECT_EQ(Window().edits, (std::vector<std::string>{"7.5", "1", "30,50,70"}));
  EXPECT_EQ(view.Result().zones.size(), 4u);
  EXPECT_TRUE(platform.MessageBoxes().empty());
}

// A refused field names its range and changes nothing, not even the fields that were fine.
TEST_F(AnalysisViewTest, AFieldOutOfItsRangeIsRefusedAndNothingIsApplied) {
  const struct {
    std::vector<std::string> fields;
    std::string message;
  } cases[] = {
      {{"0", "1", "30"}, FormatText(texts::kDeltaInvalidFormat, "0.1", "100")},
      {{"5", "3600.1", "30"}, FormatText(texts::kSmoothInvalidFormat, "0", "3600")},
      {{"5", "1", "60,40"}, FormatText(texts::kZonesInvalidFormat, "0", "100")},
  };
  view.Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const int presents = Window().presents;
    Apply(c.fields[0], c.fields[1], c.fields[2]);
    ASSERT_FALSE(platform.MessageBoxes().empty());
    EXPECT_EQ(platform.MessageBoxes().back().text, c.message);
    EXPECT_EQ(platform.MessageBoxes().back().caption, texts::kApplicationName);
    EXPECT_EQ(view.Parameters().delta, AnalysisParameters{}.delta);
    EXPECT_EQ(view.Parameters().zones, AnalysisParameters{}.zones);
    EXPECT_EQ(Window().edits, c.fields);  // left as typed, to be put right
    EXPECT_EQ(Window().presents, presents);
  }
}

// Unsmoothed, the bout's episode runs from its peak at 0 s to its recovery maximum at
// 284 s; its floor ends at 150 s, 30 %, and half the recovery is reached at 163.9 s, 50 %.
TEST_F(AnalysisViewTest, TheChartShadesTheEpisodeAndMarksItsFloorAndHalfRecovery) {
  view.Open();
  Apply("10", "1", "40,60");
  const std::size_t n = kBoutSamples;
  EXPECT_EQ(Pixel(ChartColumn(200, n), kPlotTop), kEpisodeShades[0]);
  EXPECT_EQ(Pixel(ChartColumn(292, n), kPlotTop), kPlot);
  EXPECT_EQ(Pixel(ChartColumn(30, n), ChartRow(70)), kTrace);
  EXPECT_EQ(Pixel(ChartColumn(150, n), ChartRow(30) - 2), kMinimumMarker);
  EXPECT_EQ(Pixel(ChartColumn(163.9, n), ChartRow(50)), kHalfMarker);
  EXPECT_EQ(Pixel(kPlotLeft, ChartRow(40)), kZoneEdge);
  EXPECT_EQ(Pixel(kChartFrame.x, kChartFrame.y), kFrame);
}

TEST_F(AnalysisViewTest, TheCopyButtonPutsTheWholeTableOnTheClipboard) {
  shown = Bouts(12 * kBoutSamples, kOneSecond);
  view.Open();
  Press(kCopyButton);
  EXPECT_EQ(platform.clipboard, TabSeparated(view.Result()));
  EXPECT_EQ(std::count(platform.clipboard.begin(), platform.clipboard.end(), '\n'), 13);
  // Another program holding the clipboard leaves it as it was.
  platform.clipboardAvailable = false;
  platform.clipboard.clear();
  Press(kCopyButton);
  EXPECT_EQ(platform.clipboard, "");
}

TEST_F(AnalysisViewTest, ThePageButtonsTurnTheTableByAPage) {
  shown = Bouts(25 * kBoutSamples, kOneSecond);
  view.Open();
  ASSERT_EQ(view.Result().episodes.size(), 25u);
  const struct {
    const ToolRect& button;
    int first;
  } steps[] = {
      {kPreviousPage, 0}, {kNextPage, 10}, {kNextPage, 20}, {kNextPage, 20}, {kPreviousPage, 10}};
  for (const auto& step : steps) {
    Press(step.button);
    EXPECT_EQ(view.FirstRow(), step.first);
  }
}

// The window follows the main window's measurement while it is open; its close box hides
// it, and it opens again with the parameters in force, not what was left typed.
TEST_F(AnalysisViewTest, FollowsTheShownMeasurementWhileOpen) {
  view.MeasurementChanged();
  EXPECT_TRUE(platform.toolWindows.empty());
  view.Open();
  shown = Bouts(4 * kBoutSamples, kOneSecond);
  view.MeasurementChanged();
  EXPECT_EQ(view.Result().episodes.size(), 4u);

  Window().edits[0] = "abc";
  Window().Close();
  EXPECT_FALSE(view.IsOpen());
  shown = Bouts(kBoutSamples, kOneSecond);
  const int presents = Window().presents;
  view.MeasurementChanged();
  EXPECT_EQ(Window().presents, presents);
  view.Open();
  EXPECT_EQ(view.Result().episodes.size(), 1u);
  EXPECT_EQ(Window().edits[0], "10");

  shown = CurrentMeasurement{};  // a load that failed
  view.MeasurementChanged();
  EXPECT_EQ(Window().title, texts::kAnalysisTitle);
  EXPECT_TRUE(view.Result().episodes.empty());
}

}  // namespace
}  // namespace oxi
