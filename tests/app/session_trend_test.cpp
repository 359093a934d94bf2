// Scripted sessions of the window menu's trend item and the trend window beside the main
// window.
#include <gtest/gtest.h>

#include "analysis/trend_cache.h"
#include "screen_test_support.h"
#include "views/trend_layout.h"
#include "views/trend_plot.h"

namespace oxi::testing {
namespace {

using namespace trend_layout;

// The first pixel of a point, row by row from the top of the plot.
std::optional<PixelPoint> TopPoint(const Surface& s) {
  for (int y = kPlotTop; y < kPlotBottom; ++y) {
    for (int x = kPlotLeft; x < kPlotRight; ++x) {
      if (s.Pixel(x, y) == kTrendPoint) return PixelPoint{x, y};
    }
  }
  return std::nullopt;
}

int CountColour(const Surface& s, Colorref c) {
  int n = 0;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) n += s.Pixel(x, y) == c;
  }
  return n;
}

class TrendItem : public ::testing::Test {
 protected:
  void SetUp() override {
    s.AddRecord(kDeviceA, 7, 8, 1, 9, 0, 300);  // before the months shown
    s.AddRecord(kDeviceA, 8, 1, 20, 9, 0, 300);
    s.AddRecord(kDeviceA, 8, 2, 10, 9, 0, 600);
    s.AddRecord(kDeviceA, 8, 2, 20, 18, 0, 900);
    s.Start();
  }
  ScriptedToolWindow& Window() { return *s.platform.toolWindows.at(0); }
  Session s;  // March 2008 shown
};

// The window opens over the months around the shown one, its face before the figures; a
// press on a point shows that record in the main window, its month and day chosen.
TEST_F(TrendItem, ShowsTheMonthsAroundAndAPressedRecordInTheMainWindow) {
  s.dialog.OnTrendCommand();
  TrendView& t = s.dialog.TrendWindow();
  EXPECT_EQ(Window().title, "推移 - " + std::string(kDeviceA));
  EXPECT_GE(Window().presents, 2);  // the face, then the figures
  ASSERT_EQ(t.Records().size(), 3u);
  EXPECT_EQ(t.Records()[0].start, "2008-01-20T09:00:00");
  EXPECT_TRUE(fs::exists(s.DataRoot() / ("OXI" + std::string(kDeviceA)) / kCacheFolder));

  t.OnLButtonDown(kChoiceLeft + 5, kChoiceTop + kChoicePitch * 1 + 5);  // valid samples
  EXPECT_EQ(t.Choice(), static_cast<int>(Figure::kValidSamples));
  // The highest point is the record of most samples, on the 20th of February.
  const std::optional<PixelPoint> top = TopPoint(Window().surface);
  ASSERT_TRUE(top);
  t.OnLButtonDown(top->x, top->y);
  EXPECT_EQ(s.State().shownMonth, 2);
  EXPECT_EQ(s.dialog.Measurement().n, 900);
  EXPECT_EQ(s.State().dayListCount, 1);
  EXPECT_GT(CountColour(Window().surface, kChosen), 0);

  // A press beside every point does nothing.
  t.OnLButtonDown(kPlotLeft + 2, kPlotTop + 2);
  EXPECT_EQ(s.dialog.Measurement().n, 900);
}

// A month earlier or later takes the figures of the months then shown.
TEST_F(TrendItem, TheMonthButtonsFillAgain) {
  s.dialog.OnTrendCommand();
  TrendView& t = s.dialog.TrendWindow();
  for (int step = 0; step < 4; ++step) t.OnLButtonDown(kEarlierButton.x + 5, kEarlierButton.y + 5);
  ASSERT_EQ(t.Records().size(), 1u);  // August to December 2007
  EXPECT_EQ(t.Records()[0].start, "2007-08-01T09:00:00");
  for (int step = 0; step < 4; ++step) t.OnLButtonDown(kLaterButton.x + 5, kLaterButton.y + 5);
  EXPECT_EQ(t.Records().size(), 3u);
}

// Closed while it makes the figures, the window stops making them; the main window's Esc
// closes it too.
TEST_F(TrendItem, ClosingStopsTheFill) {
  s.platform.Queue({ScriptedEvent::Kind::kCancel, 0, 0, s.Now(), 0});
  s.dialog.OnTrendCommand();
  EXPECT_FALSE(s.dialog.TrendWindow().IsOpen());
  EXPECT_FALSE(s.dialog.TrendWindow().Filling());
  EXPECT_TRUE(s.dialog.TrendWindow().Records().empty());

  s.dialog.OnTrendCommand();
  EXPECT_EQ(s.dialog.TrendWindow().Records().size(), 3u);
  s.platform.Queue({ScriptedEvent::Kind::kCancel});
  s.platform.RunUntilIdle();
  EXPECT_FALSE(Window().shown);
}

}  // namespace
}  // namespace oxi::testing
