#include "app/record_render.h"

#include <gtest/gtest.h>

#include "screen_test_support.h"

namespace oxi::testing {
namespace {

class RecordRender : public ::testing::Test {
 protected:
  fs::path Write(const std::string& id, int samples, int day = 15) {
    const fs::path path = folder.Path() / ("r" + std::to_string(files++) + ".oxi");
    WriteRecordFile(path, TestHeader(id, 8, 3, day, 9, 5), samples);
    return path;
  }
  TempFolder folder{"oxi-render-test"};
  int files = 0;
};

bool SameSurface(const Surface& a, const Surface& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

// What the window shows for the same record, window and scroll position, played by hand.
TEST_F(RecordRender, PixelsAreThoseOfTheWindow) {
  const fs::path file = Write(kDeviceA, 7200);
  const RenderedGraph rendered = RenderRecordGraph({file, "12", 100});
  ASSERT_TRUE(rendered.graph) << rendered.error;

  Session s;
  s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 7200);
  s.Start();
  s.Click(s.DayPoint(15));
  s.platform.SetWindowEditText("12");
  s.dialog.OnEnterKey();
  s.Click(600, 688);  // page right to 212, then page left to 0 ...
  s.Click(300, 688);
  s.platform.QueueMove(340, 688);  // ... and drag the thumb 100 pixels
  s.platform.QueueDown(340, 688);
  for (int x = 341; x <= 440; ++x) s.platform.QueueMove(x, 688);
  s.platform.QueueUp(440, 688);
  s.platform.QueueMove(0, 737);
  s.platform.RunUntilIdle();
  ASSERT_EQ(s.State().graphOffset, 100);
  EXPECT_TRUE(SameSurface(*rendered.graph, s.dialog.GetSurface(SurfaceId::kGraph)));
}

TEST_F(RecordRender, AHeaderWithoutSamplesShowsAnEmptyGraph) {
  const RenderedGraph empty = RenderRecordGraph({Write(kDeviceA, 0), std::nullopt, std::nullopt});
  ASSERT_TRUE(empty.graph) << empty.error;
}

TEST_F(RecordRender, OffsetsAreHeldInsideTheTrack) {
  const fs::path file = Write(kDeviceA, 7200);
  const RenderedGraph far = RenderRecordGraph({file, std::nullopt, 5000});
  const RenderedGraph end = RenderRecordGraph({file, std::nullopt, 212});
  ASSERT_TRUE(far.graph && end.graph);
  EXPECT_TRUE(SameSurface(*far.graph, *end.graph));
  EXPECT_EQ(end.graph->Pixel(216 + 212, 670), Rgb(128, 192, 255));  // thumb at the end
  const RenderedGraph start = RenderRecordGraph({file, std::nullopt, -40});
  ASSERT_TRUE(start.graph);
  EXPECT_EQ(start.graph->Pixel(216, 670), Rgb(128, 192, 255));
}

// What `oxitool info` and `csv` read is shown, whatever its ID or date; what they refuse is
// refused at once, without copying or waiting.
TEST_F(RecordRender, ShowsWhatTheReaderAcceptsAndRefusesTheRest) {
  for (const fs::path& odd : {Write("../../../tmp", 10), Write("0123456789A/", 10),
                              Write(kDeviceA, 10, 32), Write(kDeviceA, 10, 0)}) {
    const RenderedGraph rendered = RenderRecordGraph({odd, std::nullopt, std::nullopt});
    EXPECT_TRUE(rendered.graph) << odd << ": " << rendered.error;
  }
  EXPECT_FALSE(
      RenderRecordGraph({folder.Path() / "missing.oxi", std::nullopt, std::nullopt}).graph);
  const fs::path shortFile = folder.Path() / "short.oxi";
  std::ofstream(shortFile, std::ios::binary) << "0123456789AB";
  EXPECT_FALSE(RenderRecordGraph({shortFile, std::nullopt, std::nullopt}).graph);
  const fs::path huge = folder.Path() / "huge.oxi";  // more samples than any measurement holds
  WriteRecordFile(huge, TestHeader(kDeviceA, 8, 3, 15, 9, 5), 0);
  fs::resize_file(huge, kRecordHeaderSize + 5 * 1'000'001);
  EXPECT_FALSE(RenderRecordGraph({huge, std::nullopt, std::nullopt}).graph);
  const RenderedGraph badWindow = RenderRecordGraph({Write(kDeviceA, 10), "0", std::nullopt});
  EXPECT_FALSE(badWindow.graph);
  EXPECT_FALSE(badWindow.error.empty());
}

}  // namespace
}  // namespace oxi::testing
