#include <gtest/gtest.h>

#include "graph/time_axis.h"
#include "graph/visible_window.h"

namespace oxi {
namespace {

std::vector<std::string> Labels(const std::vector<AxisTick>& ticks) {
  std::vector<std::string> out;
  for (const AxisTick& t : ticks) out.push_back(t.label);
  return out;
}

std::vector<int> Positions(const std::vector<AxisTick>& ticks) {
  std::vector<int> out;
  for (const AxisTick& t : ticks) out.push_back(t.p);
  return out;
}

TEST(GraphOffset, IsHeldInsideTheTrack) {
  EXPECT_EQ(ClampGraphOffset(-5, 212), 0);
  EXPECT_EQ(ClampGraphOffset(1000, 212), 212);
  EXPECT_EQ(ClampGraphOffset(100, 212), 100);
  EXPECT_EQ(ClampGraphOffset(7, 424), 0);  // a full-width thumb cannot move
}

TEST(VisibleWindow, ShortMeasurementsShowEverything) {
  EXPECT_EQ(ComputeVisibleWindow(0, 0, 424), (VisibleWindow{0, 0}));
  EXPECT_EQ(ComputeVisibleWindow(4, 0, 424), (VisibleWindow{0, 4}));
  EXPECT_EQ(ComputeVisibleWindow(3600, 0, 424), (VisibleWindow{0, 3600}));
}

TEST(VisibleWindow, FarEndCanStartOnePastTheLastFullWindow) {
  // 3605 samples: thumb 423 leaves one pixel of travel; at its end the start rounds up to 6.
  EXPECT_EQ(ComputeVisibleWindow(3605, 1, 423), (VisibleWindow{6, 3605}));
  EXPECT_EQ(ComputeVisibleWindow(7200, 212, 212), (VisibleWindow{3600, 7200}));
  EXPECT_EQ(ComputeVisibleWindow(7200, 106, 212), (VisibleWindow{1800, 5400}));
}

TEST(VisibleWindow, StartsOnWholeColumnsAndNeverShowsMoreThanAWindow) {
  for (int n : {3601, 4000, 7207, 65535}) {
    const int thumb = 1526400 / n;
    int previous = 0;
    for (int offset = 0; offset <= 424 - thumb; ++offset) {
      const VisibleWindow w = ComputeVisibleWindow(n, offset, thumb);
      EXPECT_EQ(w.start % 6, 0) << n << " " << offset;
      EXPECT_GE(w.start, previous);
      EXPECT_LE(w.start, n - 3599);
      EXPECT_EQ(w.end, std::min(w.start + 3600, n));
      previous = w.start;
    }
  }
}

TEST(VisibleWindow, InconsistentFullWidthThumbStaysAtTheStart) {
  EXPECT_EQ(ComputeVisibleWindow(5000, 0, 424), (VisibleWindow{0, 3600}));
}

TEST(ScreenTimeAxis, LabelsFollowTheRate) {
  const std::vector<AxisTick> oneSecond = ScreenTimeTicks(0, 10);
  EXPECT_EQ(Positions(oneSecond), (std::vector<int>{0, 150, 300, 450, 600}));
  EXPECT_EQ(Labels(oneSecond),
            (std::vector<std::string>{"00:00", "15:00", "30:00", "45:00", "1:00:00"}));
  EXPECT_FALSE(oneSecond[3].longLabel);
  EXPECT_TRUE(oneSecond[4].longLabel);
  EXPECT_EQ(Labels(ScreenTimeTicks(0, 0)), Labels(oneSecond));  // rate 0 counts as 1.0 s
  EXPECT_EQ(Labels(ScreenTimeTicks(0, 5)),
            (std::vector<std::string>{"00:00", "07:30", "15:00", "22:30", "30:00"}));
  EXPECT_EQ(Labels(ScreenTimeTicks(0, 20)),
            (std::vector<std::string>{"00:00", "30:00", "1:00:00", "1:30:00", "2:00:00"}));
}

TEST(ScreenTimeAxis, ScrolledWindowTicksAtTheNextMultipleOf900Samples) {
  // A start on a multiple of 900 gets no tick at column 0.
  const std::vector<AxisTick> atTick = ScreenTimeTicks(900, 10);
  EXPECT_EQ(Positions(atTick), (std::vector<int>{150, 300, 450, 600}));
  EXPECT_EQ(Labels(atTick), (std::vector<std::string>{"30:00", "45:00", "1:00:00", "1:15:00"}));
  const std::vector<AxisTick> between = ScreenTimeTicks(1002, 10);
  EXPECT_EQ(Positions(between), (std::vector<int>{133, 283, 433, 583}));
  EXPECT_EQ(between[0].label, "30:00");
}

TEST(PrintTimeAxis, StepIsAQuarterRoundedDownTo900Samples) {
  EXPECT_EQ(PrintTickStep(0), 900);
  EXPECT_EQ(PrintTickStep(3600), 900);
  EXPECT_EQ(PrintTickStep(3601), 900);
  EXPECT_EQ(PrintTickStep(5000), 900);
  EXPECT_EQ(PrintTickStep(7200), 1800);
  EXPECT_EQ(PrintTickStep(14400), 3600);
}

TEST(PrintTimeAxis, TicksSpanTheWholeMeasurement) {
  const std::vector<AxisTick> hour = PrintTimeTicks(3600, 10);
  EXPECT_EQ(Positions(hour), (std::vector<int>{0, 150, 300, 450, 600}));
  // Unlike the screen, the page writes two-digit hours.
  EXPECT_EQ(Labels(hour),
            (std::vector<std::string>{"00:00", "15:00", "30:00", "45:00", "01:00:00"}));
  EXPECT_TRUE(hour[4].longLabel);
  EXPECT_EQ(Labels(PrintTimeTicks(0, 0)), Labels(hour));

  const std::vector<AxisTick> n5000 = PrintTimeTicks(5000, 10);
  EXPECT_EQ(Positions(n5000), (std::vector<int>{0, 108, 216, 324, 432, 540}));
  EXPECT_EQ(n5000[5].label, "01:15:00");

  const std::vector<AxisTick> n7200 = PrintTimeTicks(7200, 10);
  EXPECT_EQ(Positions(n7200), (std::vector<int>{0, 150, 300, 450, 600}));
  EXPECT_EQ(Labels(n7200),
            (std::vector<std::string>{"00:00", "30:00", "01:00:00", "01:30:00", "02:00:00"}));
  EXPECT_EQ(Labels(PrintTimeTicks(7200, 5))[1], "15:00");
}

}  // namespace
}  // namespace oxi
