// The main window drawn at the scales screens are set to, and the pointer mapped back.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/buttons.h"
#include "app/calendar.h"
#include "app/hit_regions.h"
#include "app/host_input.h"
#include "app/host_layout.h"
#include "app/scroll_bar_geometry.h"
#include "platform/host_test_support.h"
#include "screen_test_support.h"

namespace oxi {
namespace {

using testing::Session;

// A logical rectangle of one surface, right and bottom exclusive, in surface coordinates.
struct Region {
  std::string name;
  SurfaceId id;
  FillRect r;
};

// The rectangles of a frame `depth` pixels deep along the edges of `r`.
void AddFrameStrips(std::vector<Region>& out, const std::string& name, SurfaceId id, FillRect r,
                    int depth) {
  out.push_back({name + " top", id, {r.left, r.top, r.right, r.top + depth}});
  out.push_back({name + " bottom", id, {r.left, r.bottom - depth, r.right, r.bottom}});
  out.push_back({name + " left", id, {r.left, r.top, r.left + depth, r.bottom}});
  out.push_back({name + " right", id, {r.right - depth, r.top, r.right, r.bottom}});
}

FillRect CellBox(int year, int month, int day) {
  const int index = CellIndex(year, month, day);
  const int x0 = kCellOriginX + kCellPitch * (index % 10);
  const int y0 = kCellOriginY + kCellPitch * (index / 10);
  return {x0 + kCellFrameLeft, y0 + kCellFrameTop, x0 + kCellFrameRight + 1,
          y0 + kCellFrameBottom + 1};
}

FillRect ButtonBox(int control) {
  const ButtonRect& b = ButtonRectOf(control);
  return {b.left, b.top, b.right + 1, b.bottom + 1};
}

FillRect ArrowBoxRect(const ArrowBox& b) {
  return {b.left, b.top, b.right + 1, b.bottom + 1};
}

// Every axis-aligned part of the window that holds no text and no curve: the face's grey
// frames, the calendar's frame and day frames, the buttons' edges, the scroll bars, the
// graph's frames and grid, the list's frame.
std::vector<Region> AxisAlignedRegions(int year, int month) {
  std::vector<Region> out;
  // (The hint text below the day list runs on into the grey right of it.)
  const FillRect faceFrames[] = {
      {0, 0, 1024, 18},      {0, 15, 20, 700},      {740, 15, 755, 700},    {0, 700, 1024, 738},
      {1005, 60, 1024, 600}, {755, 351, 1005, 355}, {1005, 625, 1024, 738}, {755, 535, 1005, 540},
      {826, 18, 834, 49},    {905, 18, 913, 49},    {984, 18, 1024, 49},    {755, 49, 1024, 60}};
  for (const FillRect& r : faceFrames) out.push_back({"face frame", SurfaceId::kFace, r});
  for (int control : kButtonControls) {
    AddFrameStrips(out, "button " + std::to_string(control), SurfaceId::kFace, ButtonBox(control),
                   3);
  }
  AddFrameStrips(out, "calendar frame", SurfaceId::kCalendar, {0, 0, 250, 290}, 1);
  for (int day = 1; day <= DaysInMonth(year, month); ++day) {
    AddFrameStrips(out, "day " + std::to_string(day), SurfaceId::kCalendar,
                   CellBox(year, month, day), 3);
  }
  AddFrameStrips(out, "graph frame", SurfaceId::kGraph, {0, 0, 720, 685}, 1);
  out.push_back({"upper grid", SurfaceId::kGraph, {70, 60, 660, 325}});
  out.push_back({"lower grid", SurfaceId::kGraph, {70, 370, 660, 635}});  // right of the Hb scale
  AddFrameStrips(out, "upper plot frame", SurfaceId::kGraph, {60, 25, 661, 326}, 1);
  AddFrameStrips(out, "lower plot frame", SurfaceId::kGraph, {60, 335, 661, 636}, 1);
  // The bars' frames and tracks; the arrows' chevrons are drawn fresh.
  AddFrameStrips(out, "graph bar", SurfaceId::kGraph, {196, 663, 661, 685}, 2);
  out.push_back({"graph bar thumb", SurfaceId::kGraph, {215, 663, 642, 685}});
  AddFrameStrips(out, "graph left arrow", SurfaceId::kGraph, ArrowBoxRect(kGraphLeftArrow), 2);
  AddFrameStrips(out, "graph right arrow", SurfaceId::kGraph, ArrowBoxRect(kGraphRightArrow), 2);
  AddFrameStrips(out, "list frame", SurfaceId::kList, {0, 0, 250, 180}, 1);
  AddFrameStrips(out, "list bar", SurfaceId::kList, {228, 0, 250, 180}, 2);
  out.push_back({"list bar thumb", SurfaceId::kList, {228, 20, 250, 160}});
  AddFrameStrips(out, "list up arrow", SurfaceId::kList, ArrowBoxRect(kListUpArrow), 2);
  AddFrameStrips(out, "list down arrow", SurfaceId::kList, ArrowBoxRect(kListDownArrow), 2);
  return out;
}

// A window started on 2008-03-15 whose every day is framed in a colour that shows.
void StartWithRecords(Session& s) {
  s.Start();
  s.State().dayTable.fill(kCellHoveredWithRecords);
  s.dialog.FullRepaint();
}

class IntegerScaleTest : public ::testing::TestWithParam<int> {};

// Every pixel of those parts at 2x and 3x is the 1x pixel enlarged to a whole square.
TEST_P(IntegerScaleTest, EveryAxisAlignedPartIsTheOneScaleImageEnlarged) {
  const int s = GetParam();
  Session one;
  Session scaled;
  StartWithRecords(one);
  StartWithRecords(scaled);
  scaled.dialog.OnScaleChanged(Scale::OfSteps(s * Scale::kStepsPerPixel));
  const ScreenState& state = one.State();
  for (const Region& region : AxisAlignedRegions(state.shownYear, state.shownMonth)) {
    const Surface& small = one.dialog.GetSurface(region.id);
    const Surface& large = scaled.dialog.GetSurface(region.id);
    ASSERT_EQ(large.Width(), s * small.Width());
    int wrong = 0;
    for (int y = region.r.top; y < region.r.bottom && y < small.Height(); ++y) {
      for (int x = region.r.left; x < region.r.right && x < small.Width(); ++x) {
        for (int d = 0; d < s * s; ++d) {
          wrong += large.Pixel(s * x + d % s, s * y + d / s) != small.Pixel(x, y);
        }
      }
    }
    EXPECT_EQ(wrong, 0) << region.name << " at " << s << "x";
  }
}

INSTANTIATE_TEST_SUITE_P(WholeScales, IntegerScaleTest, ::testing::Values(2, 3));

// The lengths of the first `count` runs of one colour each, from (x, y) by (dx, dy).
std::vector<int> RunsFrom(const Surface& s, int x, int y, int dx, int dy, int count) {
  std::vector<int> runs;
  while (static_cast<int>(runs.size()) < count && s.Contains(x, y)) {
    const Colorref c = s.Pixel(x, y);
    int n = 0;
    for (; s.Contains(x, y) && s.Pixel(x, y) == c; x += dx, y += dy) ++n;
    runs.push_back(n);
  }
  return runs;
}

// At 1.5 every frame line is as thick on each side of its element as on the others, a
// whole number of pen widths (two device pixels), measured across the element's middle.
TEST(FractionalScaleTest, EachFrameIsEquallyThickOnEverySide) {
  Session s;
  StartWithRecords(s);
  const Scale scale = Scale::FromRatio(1.5);
  s.dialog.OnScaleChanged(scale);
  struct Element {
    std::string name;
    SurfaceId id;
    FillRect box;
    std::array<int, 4> lines;  // frame lines met from the top, bottom, left and right edge
  };
  std::vector<Element> elements = {
      {"calendar frame", SurfaceId::kCalendar, {0, 0, 250, 290}, {1, 1, 1, 1}},
      {"list frame", SurfaceId::kList, {0, 0, 250, 180}, {1, 1, 1, 1}},
      {"graph frame", SurfaceId::kGraph, {0, 0, 720, 685}, {1, 1, 1, 1}},
      {"upper plot", SurfaceId::kGraph, {60, 25, 661, 326}, {1, 1, 1, 1}},
      {"lower plot", SurfaceId::kGraph, {60, 335, 661, 636}, {1, 1, 1, 1}},
      {"graph bar", SurfaceId::kGraph, {196, 663, 661, 685}, {1, 2, 1, 1}},
      {"list bar", SurfaceId::kList, {228, 0, 250, 180}, {2, 2, 1, 2}},
      {"graph left arrow", SurfaceId::kGraph, ArrowBoxRect(kGraphLeftArrow), {0, 2, 1, 1}},
      {"graph right arrow", SurfaceId::kGraph, ArrowBoxRect(kGraphRightArrow), {0, 2, 1, 1}},
      {"list up arrow", SurfaceId::kList, ArrowBoxRect(kListUpArrow), {0, 2, 1, 1}},
      {"list down arrow", SurfaceId::kList, ArrowBoxRect(kListDownArrow), {0, 2, 1, 1}},
  };
  for (int control : kButtonControls) {
    elements.push_back(
        {"button " + std::to_string(control), SurfaceId::kFace, ButtonBox(control), {1, 1, 1, 1}});
  }
  const ScreenState& state = s.State();
  for (int day = 1; day <= DaysInMonth(state.shownYear, state.shownMonth); ++day) {
    elements.push_back({"day " + std::to_string(day),
                        SurfaceId::kCalendar,
                        CellBox(state.shownYear, state.shownMonth, day),
                        {1, 1, 1, 1}});
  }
  for (const Element& e : elements) {
    const Surface& surface = s.dialog.GetSurface(e.id);
    const PixelGrid& g = surface.Grid();
    const int l = g.X(e.box.left), r = g.X(e.box.right) - 1;
    const int t = g.Y(e.box.top), b = g.Y(e.box.bottom) - 1;
    const int midX = (l + r) / 2, midY = (t + b) / 2;
    std::vector<int> runs;
    for (int n : RunsFrom(surface, midX, t, 0, 1, e.lines[0])) runs.push_back(n);
    for (int n : RunsFrom(surface, midX, b, 0, -1, e.lines[1])) runs.push_back(n);
    for (int n : RunsFrom(surface, l, midY, 1, 0, e.lines[2])) runs.push_back(n);
    for (int n : RunsFrom(surface, r, midY, -1, 0, e.lines[3])) runs.push_back(n);
    const int pen = scale.PenWidth(1);
    EXPECT_EQ(std::count(runs.begin(), runs.end(), runs.front()), std::ssize(runs))
        << e.name << ": " << ::testing::PrintToString(runs);
    EXPECT_EQ(runs.front() % pen, 0) << e.name << ": " << runs.front();
  }
}

// What the pointer is over, as the press handler tells it apart.
std::string PartAt(int x, int y) {
  if (InPreviousMonthArrow(x, y)) return "previous month";
  if (InNextMonthArrow(x, y)) return "next month";
  if (const auto cell = CalendarCellAt(x, y))
    return "cell " + std::to_string(cell->column) + "," + std::to_string(cell->row);
  for (int control : kButtonControls) {
    if (InButton(control, x, y)) return "button " + std::to_string(control);
  }
  const GraphBarPart graph = GraphBarPartAt(x, y, 0, kGraphTrackLength);
  if (graph != GraphBarPart::kNone) return "graph bar " + std::to_string(static_cast<int>(graph));
  const ListBarPart list = ListBarPartAt(x, y, 0, kListTrackLength);
  if (list != ListBarPart::kNone) return "list bar " + std::to_string(static_cast<int>(list));
  return "nothing";
}

// A press at the device centre of every day, month arrow, button and scroll arrow reaches
// the handlers at a point of the same part as the logical centre does at 1x.
TEST(FractionalScaleTest, PressesAtEveryPartsCentreReachItsHandler) {
  struct Target {
    std::string name;
    FillRect box;  // in client coordinates
  };
  std::vector<Target> targets;
  auto onControl = [](const ControlRect& c, FillRect r) {
    return FillRect{c.x + r.left, c.y + r.top, c.x + r.right, c.y + r.bottom};
  };
  for (int day = 1; day <= 31; ++day) {
    targets.push_back(
        {"day " + std::to_string(day), onControl(kCalendarControl, CellBox(8, 3, day))});
  }
  for (const ArrowRect& a : {kPreviousMonthArrow, kNextMonthArrow}) {
    targets.push_back(
        {"month arrow", onControl(kCalendarControl, {a.left, a.top, a.right + 1, a.bottom + 1})});
  }
  for (int control : kButtonControls) targets.push_back({"button", ButtonBox(control)});
  for (const ArrowBox& a : {kGraphLeftArrow, kGraphRightArrow}) {
    targets.push_back({"graph arrow", onControl(kGraphControl, ArrowBoxRect(a))});
  }
  for (const ArrowBox& a : {kListUpArrow, kListDownArrow}) {
    targets.push_back({"list arrow", onControl(kListControl, ArrowBoxRect(a))});
  }
  for (double ratio : {1.5, 2.0}) {
    const Scale scale = Scale::FromRatio(ratio);
    testing::RecordingHandlers handlers;
    HostInput input(handlers);
    input.SetScale(scale);
    int pressedX = 0, pressedY = 0;
    handlers.onDown = [&](int x, int y) {
      pressedX = x;
      pressedY = y;
    };
    for (const Target& t : targets) {
      const int x = (scale.ToDevice(t.box.left) + scale.ToDevice(t.box.right) - 1) / 2;
      const int y = (scale.ToDevice(t.box.top) + scale.ToDevice(t.box.bottom) - 1) / 2;
      input.LeftDown(x, y);
      input.LeftUp(x, y);
      const std::string expected =
          PartAt((t.box.left + t.box.right - 1) / 2, (t.box.top + t.box.bottom - 1) / 2);
      EXPECT_NE(expected, "nothing") << t.name;
      EXPECT_EQ(PartAt(pressedX, pressedY), expected) << t.name << " at " << ratio;
    }
  }
}

}  // namespace
}  // namespace oxi
