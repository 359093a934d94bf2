#pragma once
#include <cstddef>
#include <string_view>

#include "platform/gdi/color.h"
#include "platform/gdi/dc.h"

// Layout of the printed page in layout units of 1/3 mm, x to the right and y downwards
// from a 10 mm margin, text placed by its top-left corner.
namespace oxi::print_layout {

inline constexpr double kPlotLeft = 60;
inline constexpr double kPlotRight = 660;
inline constexpr double kGridRight = 660.25;
inline constexpr int kPlotWidth = 600;
inline constexpr int kPlotHeight = 255;
inline constexpr int kUpperTop = 25;
inline constexpr int kLowerTop = 290;
inline constexpr double kUpperFrameBottom = 281;
inline constexpr double kLowerFrameBottom = 546;

inline constexpr double kTickBottom = 550;
inline constexpr double kTickLabelY = 550;
inline constexpr int kShortLabelDx = 52;
inline constexpr int kLongLabelDx = 38;

inline constexpr double kHeaderX = 70;
inline constexpr double kHeaderY = 5;

// Titles.
inline constexpr double kTitleLeft = 66;
inline constexpr double kUpperTitleY = 30;
inline constexpr double kLowerTitleY = 295;
inline constexpr double kHrTitleLeft = 114;
inline constexpr double kDxHbTitleLeft = 113;
inline constexpr double kToHbTitleLeft = 160;

// Heart-rate scale, right of the upper plot.
inline constexpr double kHrTickLeft = 661;
inline constexpr double kHrTickRight = 665;
inline constexpr double kHrLabelX = 667;
inline constexpr int kHrLabelDy = -6;
inline constexpr double kHrZeroY = 271;
inline constexpr double kHrTitleX = 692;
inline constexpr double kHrTitleY[3] = {115, 145, 175};

// StO2 scale, left of the upper plot.
inline constexpr int kStO2LabelDy = 19;
inline constexpr double kStO2LabelX[3] = {39, 45, 54};  // three, two and one digits
inline constexpr double kStO2ZeroX = 50;
inline constexpr double kStO2ZeroY = 270;
inline constexpr double kStO2TitleX = 26;
inline constexpr double kStO2TitleY[4] = {107, 127, 147, 167};
inline constexpr double kPercentX = 22;
inline constexpr double kPercentY = 19;

// Hb scale, left of the lower plot.
inline constexpr double kHbLabelX = 32;
inline constexpr int kHbFirstLabelDy = -5;
inline constexpr int kHbLabelDy = -7;
inline constexpr double kHbZeroY = 536;
inline constexpr double kHbUnitX = 664;
inline constexpr double kHbUnitY = 292;

// Comment lines: a few on the first page (over the top of the lower plot), then full pages.
inline constexpr double kCommentX = 60;
inline constexpr double kCommentLineStep = 12;
inline constexpr double kFirstPageCommentY = 310;
inline constexpr int kFirstPageCommentLines = 6;
inline constexpr double kMorePagesCommentY = 30;
inline constexpr int kMorePagesCommentLines = 40;
// A comment stops after this many pages, the last line saying that more was left out.
inline constexpr int kMaxCommentPages = 20;
inline constexpr std::size_t kMaxCommentLines =
    kFirstPageCommentLines + (kMaxCommentPages - 1) * kMorePagesCommentLines;

// Font heights in layout units (scaled and truncated to dots).
inline constexpr double kTitleFontUnits = 16;
inline constexpr double kLabelFontUnits = 12;

// How far the graph reaches to the right (the heart-rate title's full-width characters) and
// downwards (the time axis labels): a page whose printable area, less the margin, is
// smaller than this (or than the comment's widest line) gets the layout scaled down.
inline constexpr double kLayoutRight = kHrTitleX + kLabelFontUnits;
inline constexpr double kLayoutBottom = kTickLabelY + kLabelFontUnits;
// A byte of comment text is half the label font's height wide: CP932's single bytes are
// half-width characters, its double-byte characters full-width.
inline constexpr double kCommentByteUnits = kLabelFontUnits / 2;

inline constexpr Colorref kGridColor = Rgb(224, 224, 224);
inline constexpr Colorref kRed = Rgb(255, 0, 0);
inline constexpr Colorref kGreen = Rgb(0, 128, 0);
inline constexpr Colorref kBlue = Rgb(0, 128, 255);
inline constexpr Colorref kOrange = Rgb(255, 128, 0);

// Layout units to printer dots. The margin stands from the printable area's top left; a
// layout unit is 1/3 mm unless the printable area is too small for the layout, which is
// then scaled down as a whole (pens keep their width) to end at the area's edge.
class PageScale {
 public:
  // `layoutRight`: how far the drawing reaches to the right, in layout units.
  PageScale(int dpiX, int dpiY, int printableWidth, int printableHeight,
            double layoutRight = kLayoutRight);
  int X(double x) const;
  int Y(double y) const;
  int PenWidth() const { return penWidth_; }  // 0.3 mm; curves use twice this
  int FontHeight(double units) const;         // a height given in layout units

 private:
  double fx_;
  double fy_;
  int marginX_;
  int marginY_;
  int penWidth_;
};

// Draws in layout units on a page.
class PagePainter {
 public:
  PagePainter(PageDc& dc, const PageScale& scale) : dc_(dc), scale_(scale) {}

  PageDc& Dc() { return dc_; }
  const PageScale& Scale() const { return scale_; }
  void UsePen(Colorref color, int widthInPenUnits = 1);
  void UseFont(double heightUnits);
  void MoveTo(double x, double y) { dc_.MoveTo(scale_.X(x), scale_.Y(y)); }
  void LineTo(double x, double y) { dc_.LineTo(scale_.X(x), scale_.Y(y)); }
  void Line(double x0, double y0, double x1, double y1);
  void Text(double x, double y, Colorref color, std::string_view utf8);

 private:
  PageDc& dc_;
  PageScale scale_;
};

}  // namespace oxi::print_layout
