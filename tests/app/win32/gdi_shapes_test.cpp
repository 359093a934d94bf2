// The program's own figures drawn by our rasterizer and by GDI on the same surfaces, pixel
// for pixel: button bevels and arrows, scroll bar chevrons and thumbs in every look, the
// calendar's day frames and dotted arrow frame, the face, and the detail graph's grid,
// frames and steep curves (whose steps fall half-way between pixels).
#include <gtest/gtest.h>

#include <cmath>

#include "app/buttons.h"
#include "app/calendar.h"
#include "app/face.h"
#include "app/screen_layout.h"
#include "app/scroll_bars.h"
#include "graph/detail_parts.h"
#include "graph/test_measurement.h"
#include "graph/visible_window.h"
#include "platform/win32/gdi_bitmap.h"

namespace oxi {
namespace {

using testing::FirstDifference;
using testing::GdiBitmap;
using testing::MirrorDc;

// Draws on a fresh white surface and GDI bitmap of the size given; how they differ.
template <class Draw>
std::optional<std::string> Compare(int width, int height, Draw&& draw) {
  Surface ours(width, height);
  GdiBitmap gdi(width, height);
  if (!gdi.Ok()) return "no DIB section";
  gdi.Fill(kWhite);
  {
    MirrorDc dc(ours, gdi);
    draw(dc);
  }
  return FirstDifference(ours, gdi);
}

TEST(GdiShapes, FaceAndButtonsInEveryLook) {
  for (int look = 0; look < 3; ++look) {
    const auto difference = Compare(kFaceWidth, kFaceHeight, [&](Dc& dc) {
      DrawFace(dc);
      for (int control : kButtonControls) DrawButton(dc, ButtonCode(control, look));
    });
    EXPECT_FALSE(difference) << "look " << look << ": " << *difference;
  }
}

TEST(GdiShapes, ScrollBarsInEveryLookAndPosition) {
  for (int look = kLookPlain; look <= kLookThumbDragged; ++look) {
    for (int position : {0, 37, 300}) {
      const auto graph = Compare(kGraphControl.width, kGraphControl.height, [&](Dc& dc) {
        int offset = position;
        DrawGraphScrollBar(dc, offset, look, 120);
      });
      EXPECT_FALSE(graph) << "graph bar, look " << look << " at " << position << ": " << *graph;
      const auto list = Compare(kListControl.width, kListControl.height, [&](Dc& dc) {
        int at = position / 3;
        DrawListScrollBar(dc, at, look, 41);
      });
      EXPECT_FALSE(list) << "list bar, look " << look << " at " << position << ": " << *list;
    }
  }
}

TEST(GdiShapes, CalendarFramesAndTheDottedArrowFrame) {
  const auto difference = Compare(kCalendarControl.width, kCalendarControl.height, [](Dc& dc) {
    DrawCalendarFace(dc, kCalendarControl.width, kCalendarControl.height, 8, 3);
    std::array<Colorref, 31> days{};
    for (int d = 0; d < 31; ++d) days[d] = d % 3 ? kWhite : Rgb(255, 0, 255);
    DrawAllDayCells(dc, 8, 3, days);
    DrawDayCell(dc, 8, 3, 2, 3, kCellPressed);
    DrawDayCell(dc, 8, 3, 4, 1, kCellHoveredWithRecords);
    DrawDottedFrame(dc, kPreviousMonthArrow, kBlack);
    DrawDottedFrame(dc, kNextMonthArrow, Rgb(0, 0, 255));
  });
  EXPECT_FALSE(difference) << *difference;
}

// Curves that climb and fall steeply from column to column, with gaps, at two windows.
TEST(GdiShapes, DetailGraphGridFramesAndCurves) {
  const CurrentMeasurement m = testing::MakeMeasurement(7000, 10, [](int i) {
    const double t = i / 37.0;
    return Sample{static_cast<std::int16_t>(i % 500 < 40 ? -1 : 500 + 450 * std::sin(t)),
                  static_cast<std::uint8_t>(100 + 90 * std::sin(t * 1.7)),
                  static_cast<std::uint8_t>(100 + 99 * std::cos(t * 2.3)),
                  static_cast<std::uint8_t>(100 + 99 * std::sin(t * 3.1))};
  });
  DisplaySeries series;
  ComputeDisplaySeriesUnaveraged(m, series);
  for (int offset : {0, 200}) {
    const auto difference = Compare(kGraphControl.width, kGraphControl.height, [&](Dc& dc) {
      detail_parts::DrawGrid(dc);
      detail_parts::DrawCurves(dc, m, series, ComputeVisibleWindow(m.n, offset, 218));
      detail_parts::DrawTimeAxis(dc, 0, m.rate);
      detail_parts::DrawPlotFrames(dc);
    });
    EXPECT_FALSE(difference) << "offset " << offset << ": " << *difference;
  }
}

}  // namespace
}  // namespace oxi
