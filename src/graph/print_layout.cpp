#include "graph/print_layout.h"

#include <algorithm>

namespace oxi::print_layout {
namespace {

// A layout unit is 1/3 mm: R * 100 / 7620 dots at R dots per inch.
constexpr double kUnitsScale = 100.0 / 7620.0;
constexpr double kMmPerInch = 25.4;
constexpr double kMarginMm = 10;
constexpr double kPenMm = 0.3;

int Trunc(double v) {
  return static_cast<int>(v);
}

}  // namespace

// Pages whose two resolutions differ scale each axis by its own resolution; the pen width
// follows the finer one so that no line comes out thinner than 0.3 mm in either direction.
PageScale::PageScale(int dpiX, int dpiY, int printableWidth, int printableHeight,
                     double layoutRight)
    : fx_(dpiX * kUnitsScale),
      fy_(dpiY * kUnitsScale),
      marginX_(Trunc(dpiX * kMarginMm / kMmPerInch)),
      marginY_(Trunc(dpiY * kMarginMm / kMmPerInch)),
      penWidth_(std::max(1, Trunc(std::max(dpiX, dpiY) * kPenMm / kMmPerInch))) {
  // Both axes shrink by the same factor, so that the graph keeps its proportions.
  const double fit = std::min({1.0, (printableWidth - marginX_) / (layoutRight * fx_),
                               (printableHeight - marginY_) / (kLayoutBottom * fy_)});
  if (fit < 1.0) {
    fx_ *= std::max(fit, 0.0);
    fy_ *= std::max(fit, 0.0);
  }
}

int PageScale::X(double x) const {
  return marginX_ + Trunc(x * fx_);
}
int PageScale::Y(double y) const {
  return marginY_ + Trunc(y * fy_);
}
int PageScale::FontHeight(double units) const {
  return Trunc(units * fy_);
}

void PagePainter::UsePen(Colorref color, int widthInPenUnits) {
  dc_.SelectPen(Pen{color, scale_.PenWidth() * widthInPenUnits});
}

void PagePainter::UseFont(double heightUnits) {
  dc_.SelectFont(Font{kPrintFace, scale_.FontHeight(heightUnits)});
}

void PagePainter::Line(double x0, double y0, double x1, double y1) {
  MoveTo(x0, y0);
  LineTo(x1, y1);
}

void PagePainter::Text(double x, double y, Colorref color, std::string_view utf8) {
  dc_.SetTextColor(color);
  dc_.TextOutUtf8(scale_.X(x), scale_.Y(y), utf8);
}

}  // namespace oxi::print_layout
