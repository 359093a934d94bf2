#pragma once
#include <array>

#include "platform/gdi/dc.h"
#include "store/dates.h"  // IsLeapYear, DaysInMonth: the calendar shows the dates records keep

namespace oxi {

// The month grid: 7 weekday columns (Sunday first) by 6 week rows; a cell's origin is
// where its day number is written, and its frame reaches a little around it.
inline constexpr int kCalendarColumns = 7;
inline constexpr int kCalendarRows = 6;
inline constexpr int kCellPitch = 32;
inline constexpr int kCellOriginX = 18;  // origin of column 0
inline constexpr int kCellOriginY = 90;  // origin of row 0
// The framed (and pressable) area of a cell, relative to its origin, inclusive.
inline constexpr int kCellFrameLeft = -4;
inline constexpr int kCellFrameRight = 23;
inline constexpr int kCellFrameTop = -2;
inline constexpr int kCellFrameBottom = 21;

// Frame colours of a day cell.
inline constexpr Colorref kCellHoveredEmpty = Rgb(0, 255, 255);
inline constexpr Colorref kCellHoveredWithRecords = Rgb(0, 255, 0);
inline constexpr Colorref kCellPressed = Rgb(255, 255, 0);

// The rectangle of a month arrow on the calendar control, inclusive; the pointer tests
// and the dotted hover mark use the same one.
struct ArrowRect {
  int left;
  int top;
  int right;
  int bottom;
};
inline constexpr ArrowRect kPreviousMonthArrow = {41, 30, 70, 56};
inline constexpr ArrowRect kNextMonthArrow = {173, 30, 202, 56};

// kCellIndexPerRow * row + column of `day` in the grid of that month, -1 when the month has
// no such day.
inline constexpr int kCellIndexPerRow = 10;
int CellIndex(int year, int month, int day);
// The column of day 1.
int FirstColumn(int year, int month);
// The inner frame colour that goes with an outer frame colour: each channel + 128, at most
// 255.
Colorref InnerFrameColor(Colorref outer);

// The whole calendar of the month: face, year, month, arrows, weekdays, day numbers and
// the frame of every day in its day-table colour.
void DrawCalendar(SurfaceDc& control, int year, int month,
                  const std::array<Colorref, 31>& dayTable);
// The framed white face with the year, month, arrows, weekdays and day numbers, as it is
// drawn off-screen before being copied onto the control.
void DrawCalendarFace(Dc& memory, int width, int height, int year, int month);
// The frame of cell (column, row) in colour c; nothing when the cell holds no day.
void DrawDayCell(Dc& control, int year, int month, int column, int row, Colorref c);
// Every day's frame in its day-table colour.
void DrawAllDayCells(Dc& control, int year, int month, const std::array<Colorref, 31>& dayTable);
// Every second pixel of the rectangle's outline in colour c, starting at its top-left.
void DrawDottedFrame(Dc& control, const ArrowRect& rect, Colorref c);

}  // namespace oxi
