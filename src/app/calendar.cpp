#include "app/calendar.h"

#include <algorithm>

#include "app/line_drawing.h"
#include "app/screen_layout.h"
#include "platform/gdi/surface.h"
#include "platform/text/text_format.h"
#include "res/texts.h"

namespace oxi {
namespace {

constexpr int kDaysPerWeek = 7;
// Day 0 of the count is Friday 1999-12-31; this shift makes it column 5.
constexpr int kWeekdayShift = 5;
constexpr int kSaturday = 6;
constexpr int kLastDayOfMonth = 31;
constexpr int kShortestMonth = 28;
// Texts and where they go on the calendar.
const Font kDayFont = {kScreenFace, 20, 0};
const Font kMonthFont = {kScreenFace, 36, 100};
const Font kYearFont = {kScreenFace, 16, 100};
const Font kWeekdayFont = {kScreenFace, 12, 100};
constexpr Colorref kSundayRed = Rgb(255, 0, 0);
constexpr PixelPoint kYearAt = {103, 6};
constexpr PixelPoint kMonthAt = {83, 25};
constexpr PixelPoint kTwoDigitMonthAt = {73, 25};
constexpr PixelPoint kPreviousArrowTextAt = {45, 34};
constexpr PixelPoint kNextArrowTextAt = {178, 34};
constexpr int kWeekdayRow = 72;
constexpr int kSingleDigitIndent = 5;  // days 1..9 stand a little right of the origin

// A day cell's outer frame (two pixels wide, corners left out) and inner frame, relative
// to the cell origin.
constexpr std::array<Segment, 8> kOuterFrame = {{{-4, -1, -4, 21},
                                                 {-3, 21, 23, 21},
                                                 {23, 20, 23, -2},
                                                 {22, -2, -4, -2},
                                                 {-3, -1, -3, 20},
                                                 {-3, 20, 22, 20},
                                                 {22, 20, 22, -1},
                                                 {22, -1, -3, -1}}};
constexpr std::array<Segment, 4> kInnerFrame = {
    {{-2, 0, -2, 19}, {-2, 19, 21, 19}, {21, 19, 21, 0}, {21, 0, -2, 0}}};
constexpr std::array<PixelPoint, 4> kInnerCorners = {{{-1, 1}, {-1, 18}, {20, 18}, {20, 1}}};
// The box both frames outline, relative to the cell origin, three pixels deep.
constexpr FramedBox kCellFrameBox = {-4, -2, 24, 22, 3, 3};

struct Cell {
  int column;
  int row;
};
Cell CellOf(int index) {
  return {index % kCellIndexPerRow, index / kCellIndexPerRow};
}
int CellOriginX(int column) {
  return kCellPitch * column + kCellOriginX;
}
int CellOriginY(int row) {
  return kCellPitch * row + kCellOriginY;
}

int LastCellIndex(int year, int month) {
  for (int day = kLastDayOfMonth; day >= kShortestMonth; --day) {
    const int index = CellIndex(year, month, day);
    if (index != -1) return index;
  }
  return -1;
}

void DrawCalendarTexts(Dc& dc, int year, int month) {
  dc.SetBkMode(BkMode::kOpaque);
  dc.SetBkColor(kWhite);
  dc.SetTextColor(kBlack);
  dc.SelectFont(kYearFont);
  dc.TextOutUtf8(kYearAt.x, kYearAt.y, FormatText(texts::kYearFormat, year));
  dc.SelectFont(kMonthFont);
  const PixelPoint monthAt = month >= 10 ? kTwoDigitMonthAt : kMonthAt;
  dc.TextOutUtf8(monthAt.x, monthAt.y, FormatText(texts::kMonthFormat, month));
  dc.SelectFont(kDayFont);
  dc.TextOutUtf8(kPreviousArrowTextAt.x, kPreviousArrowTextAt.y, texts::kPreviousMonth);
  dc.TextOutUtf8(kNextArrowTextAt.x, kNextArrowTextAt.y, texts::kNextMonth);
  dc.SelectFont(kWeekdayFont);
  for (int column = 0; column < kCalendarColumns; ++column) {
    dc.SetTextColor(column == 0 ? kSundayRed : kBlack);
    dc.TextOutUtf8(CellOriginX(column), kWeekdayRow, texts::kWeekdays[column]);
  }
  dc.SelectFont(kDayFont);
  for (int day = 1; day <= kLastDayOfMonth; ++day) {
    const int index = CellIndex(year, month, day);
    if (index == -1) continue;
    const Cell cell = CellOf(index);
    dc.SetTextColor(cell.column == 0 ? kSundayRed : kBlack);
    const int x = CellOriginX(cell.column) + (day < 10 ? kSingleDigitIndent : 0);
    dc.TextOutUtf8(x, CellOriginY(cell.row), FormatText("%d", day));
  }
}

}  // namespace

int CellIndex(int year, int month, int day) {
  if (day < 1) return -1;
  const int r = year % kLeapCycle;
  const int leapYears = year / kLeapCycle + (r != 0 ? 1 : 0);
  const int commonYears = std::max(0, year - leapYears);
  if (day > DaysInMonth(year, month)) return -1;
  int daysBefore = 0;
  for (int m = 1; m < month; ++m) daysBefore += DaysInMonth(year, m);
  const int t = 366 * leapYears + 365 * commonYears + daysBefore;
  const int column = (t + day + kWeekdayShift) % kDaysPerWeek;
  int z = (t + kWeekdayShift) % kDaysPerWeek;
  if (z == kSaturday) z = -1;
  const int row = (z + day) / kDaysPerWeek;
  return kCellIndexPerRow * row + column;
}

int FirstColumn(int year, int month) {
  return CellIndex(year, month, 1);
}

Colorref InnerFrameColor(Colorref outer) {
  auto lighter = [](int channel) { return std::min(255, channel + 128); };
  return Rgb(lighter(RedOf(outer)), lighter(GreenOf(outer)), lighter(BlueOf(outer)));
}

void DrawCalendar(SurfaceDc& control, int year, int month,
                  const std::array<Colorref, 31>& dayTable) {
  const int width = control.Target().LogicalWidth();
  const int height = control.Target().LogicalHeight();
  Surface memory = control.CompatibleSurface(0, 0, width, height);
  SurfaceDc dc(memory);
  DrawCalendarFace(dc, width, height, year, month);
  control.BitBlt(0, 0, width, height, memory, 0, 0);
  DrawAllDayCells(control, year, month, dayTable);
}

void DrawCalendarFace(Dc& memory, int width, int height, int year, int month) {
  memory.SelectBrush(Brush{kWhite});
  memory.SelectPen(SolidPen(kControlFrame));
  memory.Rectangle(0, 0, width, height);
  DrawCalendarTexts(memory, year, month);
}

void DrawAllDayCells(Dc& control, int year, int month, const std::array<Colorref, 31>& dayTable) {
  for (int day = 1; day <= kLastDayOfMonth; ++day) {
    const int index = CellIndex(year, month, day);
    if (index == -1) continue;
    const Cell cell = CellOf(index);
    DrawDayCell(control, year, month, cell.column, cell.row, dayTable[day - 1]);
  }
}

void DrawDayCell(Dc& control, int year, int month, int column, int row, Colorref c) {
  const int index = kCellIndexPerRow * row + column;
  if (index < FirstColumn(year, month) || index > LastCellIndex(year, month)) return;
  const int x0 = CellOriginX(column);
  const int y0 = CellOriginY(row);
  const Colorref inner = InnerFrameColor(c);
  const FramedBox& b = kCellFrameBox;
  const FramedBoxScope scope(
      control, {x0 + b.left, y0 + b.top, x0 + b.right, y0 + b.bottom, b.depthX, b.depthY});
  auto draw = [&](const Pen& pen, std::span<const Segment> segments) {
    control.SelectPen(pen);
    for (const Segment& s : segments)
      DrawSegment(control, x0 + s.x0, y0 + s.y0, x0 + s.x1, y0 + s.y1);
  };
  draw(SolidPen(c), kOuterFrame);
  draw(SolidPen(inner), kInnerFrame);
  for (const PixelPoint& p : kInnerCorners) control.SetPixel(x0 + p.x, y0 + p.y, inner);
}

void DrawDottedFrame(Dc& control, const ArrowRect& rect, Colorref c) {
  const FramedBoxScope scope(control, {rect.left, rect.top, rect.right + 1, rect.bottom + 1, 1, 1});
  control.SelectPen(SolidPen(c));
  // Walk the outline down, right, up and left again, painting every second step.
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int perimeter = 2 * (width + height);
  for (int step = 0; step < perimeter; step += 2) {
    int x = rect.left;
    int y = rect.top;
    if (step <= height) {
      y += step;
    } else if (step <= height + width) {
      x += step - height;
      y = rect.bottom;
    } else if (step <= 2 * height + width) {
      x = rect.right;
      y = rect.bottom - (step - height - width);
    } else {
      x = rect.right - (step - 2 * height - width);
    }
    control.SetPixel(x, y, c);
  }
}

}  // namespace oxi
