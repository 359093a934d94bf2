#include "platform/gdi/recording_dc.h"

#include <gtest/gtest.h>

namespace oxi {
namespace {

TEST(RecordingDc, KeepsEachCallWithTheStateItWasMadeIn) {
  RecordingDc dc(300, 200);
  EXPECT_EQ(dc.DpiX(), 300);
  EXPECT_EQ(dc.DpiY(), 200);
  dc.StartDocument("2008_0315_0930");
  dc.StartPage();
  dc.SelectPen({Rgb(255, 0, 0), 4});
  dc.MoveTo(10, 20);
  dc.LineTo(30, 40);
  dc.LineTo(50, 20);
  dc.SelectFont({kPrintFace, 90, 0});
  dc.SetTextColor(Rgb(0, 160, 0));
  dc.SetBkMode(BkMode::kTransparent);
  dc.TextOutUtf8(5, 6, "心拍数");
  dc.SelectBrush({Rgb(1, 2, 3)});
  dc.Rectangle(1, 2, 3, 4);
  dc.SetPixel(7, 8, Rgb(9, 9, 9));
  dc.EndPage();
  dc.EndDocument();

  using K = RecordedOp::Kind;
  std::vector<K> kinds;
  for (const RecordedOp& op : dc.Ops()) kinds.push_back(op.kind);
  EXPECT_EQ(kinds, (std::vector<K>{K::kStartDoc, K::kStartPage, K::kLineTo, K::kLineTo, K::kTextOut,
                                   K::kRectangle, K::kSetPixel, K::kEndPage, K::kEndDoc}));
  EXPECT_EQ(dc.Ops()[0].text, "2008_0315_0930");
  const auto lines = dc.OpsOf(K::kLineTo);
  ASSERT_EQ(lines.size(), 2u);
  // Each line starts where the previous one ended.
  EXPECT_EQ((std::vector<int>{lines[1].x0, lines[1].y0, lines[1].x1, lines[1].y1}),
            (std::vector<int>{30, 40, 50, 20}));
  EXPECT_EQ(lines[0].pen.width, 4);
  const RecordedOp& text = dc.Ops()[4];
  EXPECT_EQ(text.text, "心拍数");
  EXPECT_EQ(text.font.face, kPrintFace);
  EXPECT_EQ(text.font.height, 90);
  EXPECT_EQ(text.textColor, Rgb(0, 160, 0));
  EXPECT_EQ(text.bkMode, BkMode::kTransparent);
  EXPECT_EQ(dc.Ops()[5].brush.color, Rgb(1, 2, 3));
  EXPECT_EQ(dc.Ops()[6].pixelColor, Rgb(9, 9, 9));
  EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"心拍数"}));
}

}  // namespace
}  // namespace oxi
