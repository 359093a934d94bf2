// Where the scales, titles and units stand on the screen and on the page.
#include <gtest/gtest.h>

#include "graph/detail_parts.h"
#include "graph/print_page.h"
#include "graph/test_measurement.h"
#include "platform/gdi/recording_dc.h"

namespace oxi {
namespace {

struct Placed {
  int x, y;
  Colorref color;
  int height;
  bool operator==(const Placed&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Placed& p) {
  return os << "(" << p.x << ", " << p.y << ") color " << std::hex << p.color << std::dec
            << " height " << p.height;
}

// Every place `text` was drawn, in order.
std::vector<Placed> Find(const RecordingDc& dc, const std::string& text) {
  std::vector<Placed> places;
  for (const RecordedOp& op : dc.Ops()) {
    if (op.kind == RecordedOp::Kind::kTextOut && op.text == text) {
      places.push_back({op.x0, op.y0, op.textColor, op.font.height});
    }
  }
  return places;
}

using Places = std::vector<Placed>;

TEST(ScreenLabels, ScalesTitlesAndUnits) {
  RecordingDc dc;
  detail_parts::DrawPlotTitles(dc);
  detail_parts::DrawAxisLabels(dc);
  EXPECT_EQ(Find(dc, "[StO2]"), (Places{{66, 30, Rgb(255, 64, 64), 20}}));
  EXPECT_EQ(Find(dc, "[心拍数]"), (Places{{128, 30, Rgb(0, 160, 0), 20}}));
  EXPECT_EQ(Find(dc, "[dxHb]"), (Places{{126, 340, Rgb(0, 160, 0), 20}}));
  EXPECT_EQ(Find(dc, "[toHb]"), (Places{{186, 340, Rgb(255, 164, 92), 20}}));
  // Heart rate right of the plot, then StO2 left of it.
  EXPECT_EQ(Find(dc, "200"), (Places{{667, 16, kBlack, 20}}));
  EXPECT_EQ(Find(dc, "20"), (Places{{667, 286, kBlack, 20}, {38, 256, kBlack, 20}}));
  EXPECT_EQ(Find(dc, "100"), (Places{{667, 166, kBlack, 20}, {28, 16, kBlack, 20}}));
  EXPECT_EQ(Find(dc, "50"), (Places{{38, 166, kBlack, 20}}));
  EXPECT_EQ(Find(dc, "0"), (Places{{667, 310, kBlack, 20}, {48, 309, kBlack, 20}}));
  EXPECT_EQ(Find(dc, "0.20"), (Places{{22, 328, kBlack, 20}}));
  EXPECT_EQ(Find(dc, "0.18"), (Places{{22, 356, kBlack, 20}}));
  EXPECT_EQ(Find(dc, "0.02"), (Places{{22, 596, kBlack, 20}}));
  EXPECT_EQ(Find(dc, "0.00"), (Places{{22, 621, kBlack, 20}}));
  EXPECT_EQ(Find(dc, "心"), (Places{{700, 139, kBlack, 16}}));
  EXPECT_EQ(Find(dc, "数"), (Places{{700, 201, kBlack, 16}}));
  EXPECT_EQ(Find(dc, "2"), (Places{{18, 190, kBlack, 16}}));
  EXPECT_EQ(Find(dc, "[%]"), (Places{{6, 19, kBlack, 16}}));
  EXPECT_EQ(Find(dc, "[mM/L]"), (Places{{664, 337, kBlack, 16}}));
  EXPECT_EQ(dc.Texts().size(), 5u + 11 + 11 + 11 + 3 + 4 + 2);
}

int Dot(double units) {
  return 236 + static_cast<int>(units * 600 * 100 / 7620.0);
}

TEST(PrintedLabels, ScalesTitlesAndUnits) {
  RecordingDc dc;
  DrawPrintedDocument(dc, testing::MakeConstant(0, 10, Sample{}), 1, 0, "");
  auto at = [](double x, double y, Colorref c, int h) { return Placed{Dot(x), Dot(y), c, h}; };
  EXPECT_EQ(Find(dc, "[StO2]"), Places{at(66, 30, Rgb(255, 0, 0), 125)});
  EXPECT_EQ(Find(dc, "[心拍数]"), Places{at(114, 30, Rgb(0, 128, 0), 125)});
  EXPECT_EQ(Find(dc, "[oxHb]"), Places{at(66, 295, Rgb(0, 128, 255), 125)});
  EXPECT_EQ(Find(dc, "[toHb]"), Places{at(160, 295, Rgb(255, 128, 0), 125)});
  EXPECT_EQ(Find(dc, "200"), Places{at(667, 19, kBlack, 94)});
  EXPECT_EQ(Find(dc, "0"), (Places{at(667, 271, kBlack, 94), at(50, 270, kBlack, 94)}));
  EXPECT_EQ(Find(dc, "100"), (Places{at(667, 146, kBlack, 94), at(39, 19, kBlack, 94)}));
  EXPECT_EQ(Find(dc, "50"), Places{at(45, 146, kBlack, 94)});
  EXPECT_EQ(Find(dc, "0.20"), Places{at(32, 285, kBlack, 94)});
  EXPECT_EQ(Find(dc, "0.18"), Places{at(32, 308, kBlack, 94)});
  EXPECT_EQ(Find(dc, "0.02"), Places{at(32, 512, kBlack, 94)});
  EXPECT_EQ(Find(dc, "0.00"), Places{at(32, 536, kBlack, 94)});
  EXPECT_EQ(Find(dc, "拍"), Places{at(692, 145, kBlack, 94)});
  EXPECT_EQ(Find(dc, "S"), Places{at(26, 107, kBlack, 94)});
  EXPECT_EQ(Find(dc, "[%]"), Places{at(22, 19, kBlack, 94)});
  EXPECT_EQ(Find(dc, "[mM/L]"), Places{at(664, 292, kBlack, 94)});
}

}  // namespace
}  // namespace oxi
