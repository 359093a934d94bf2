#include "app/day_list_view.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/gdi/surface.h"
#include "res/texts.h"

namespace oxi {
namespace {

// The text area is drawn off-screen and copied inside the list control's frame.
constexpr int kTextAreaX = 1;
constexpr int kTextAreaY = 1;
constexpr int kTextAreaWidth = 227;
constexpr int kTextAreaHeight = 178;
constexpr int kRowTextX = 10;
constexpr int kFirstRowTextY = 8;
constexpr int kRowPitch = 20;
const Font kRowFont = {kScreenFace, 16, 0};
constexpr Colorref kFrameColor = Rgb(113, 111, 100);
constexpr int kFrameRight = 249;
constexpr int kFrameBottom = 179;
constexpr int kDigitPairs = 5;

// The number a two-character field of a record name reads as: its leading digits.
int PairValue(const std::string& name, std::size_t at) {
  int value = 0;
  for (std::size_t i = at; i < at + 2 && i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') break;
    value = value * 10 + (name[i] - '0');
  }
  return value;
}

void DrawFrame(Dc& dc) {
  dc.SelectPen(Pen{kFrameColor, 1});
  dc.MoveTo(0, 0);
  dc.LineTo(0, kFrameBottom);
  dc.LineTo(kFrameRight, kFrameBottom);
  dc.LineTo(kFrameRight, 0);
  dc.LineTo(0, 0);
}

// The rows of entries top.. on a white area, row `highlight` (if any) on the hover colour.
void DrawListArea(SurfaceDc& control, const std::vector<std::string>& names, int count, int top,
                  int highlight) {
  Surface area(kTextAreaWidth, kTextAreaHeight);
  SurfaceDc dc(area);
  dc.SelectPen(Pen{kWhite, 1});
  dc.SelectBrush(Brush{kWhite});
  dc.Rectangle(0, 0, kTextAreaWidth, kTextAreaHeight);
  dc.SelectFont(kRowFont);
  dc.SetBkMode(BkMode::kOpaque);
  dc.SetTextColor(kBlack);
  const int entries = std::min(count, static_cast<int>(names.size()));
  for (int r = 0; r < kDayListRows && top + r < entries; ++r) {
    if (top + r < 0) continue;
    dc.SetBkColor(r == highlight ? kHoveredRowBackground : kWhite);
    dc.TextOutUtf8(kRowTextX, kFirstRowTextY + kRowPitch * r, DayListRowText(names[top + r]));
  }
  control.BitBlt(kTextAreaX, kTextAreaY, kTextAreaWidth, kTextAreaHeight, area, 0, 0);
  DrawFrame(control);
}

}  // namespace

std::string DayListRowText(const std::string& recordName) {
  std::array<int, kDigitPairs> v{};
  for (int i = 0; i < kDigitPairs; ++i)
    v[i] = PairValue(recordName, 2 * static_cast<std::size_t>(i));
  char text[64];
  std::snprintf(text, sizeof text, texts::kDayListRowFormat, v[0], v[1], v[2], v[3], v[4]);
  return text;
}

int DrawDayList(SurfaceDc& control, const std::vector<std::string>& names, int count, int top) {
  DrawListArea(control, names, count, top, -1);
  return count;
}

HoverChange HoverRowChange(int count, int hoveredRow, int row) {
  if (row < 0) row = -1;
  if (row == hoveredRow) return {row, false};
  if (count == 0) return {-1, false};
  if (row >= kDayListRows) row = -1;
  return {row, true};
}

int HoverRow(SurfaceDc& control, const std::vector<std::string>& names, int count, int top,
             int& hoveredRow, int row) {
  const HoverChange change = HoverRowChange(count, hoveredRow, row);
  if (change.redraw) DrawListArea(control, names, count, top, change.row);
  hoveredRow = change.row;
  return change.row;
}

}  // namespace oxi
