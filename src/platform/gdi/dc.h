#pragma once
#include <string>
#include <string_view>

#include "platform/gdi/color.h"

namespace oxi {

class Surface;

// Faces the drawing code asks for; fontconfig maps them to an installed Japanese Gothic.
inline constexpr const char* kScreenFace = "MS UI Gothic";
inline constexpr const char* kPrintFace = "ＭＳ ゴシック";

struct Pen {
  Colorref color = kBlack;
  int width = 1;  // in device pixels (dots on a printer)
};

struct Brush {
  Colorref color = kWhite;  // solid
};

struct Font {
  std::string face = kScreenFace;
  int height = 16;  // cell height in device pixels (ascent + descent)
  int weight = 0;   // 0 = the face's default weight; 100..900 as usual
  bool operator==(const Font&) const = default;
};

enum class BkMode { kOpaque, kTransparent };

// A drawing context with the semantics our drawing code is written for: a selected pen,
// brush and font, text and background colours, a background mode and a current position.
// Lines never paint their end point; rectangles are right/bottom exclusive. Members whose
// GDI names <windows.h> turns into macros (TextOut, StartDoc) carry names of their own.
class Dc {
 public:
  virtual ~Dc() = default;

  void SelectPen(const Pen& pen) { pen_ = pen; }
  void SelectBrush(const Brush& brush) { brush_ = brush; }
  void SelectFont(const Font& font) { font_ = font; }
  void SetTextColor(Colorref c) { textColor_ = c; }
  void SetBkColor(Colorref c) { bkColor_ = c; }
  void SetBkMode(BkMode m) { bkMode_ = m; }
  void MoveTo(int x, int y) {
    curX_ = x;
    curY_ = y;
  }

  const Pen& CurrentPen() const { return pen_; }
  const Brush& CurrentBrush() const { return brush_; }
  const Font& CurrentFont() const { return font_; }
  Colorref TextColor() const { return textColor_; }
  Colorref BkColor() const { return bkColor_; }
  BkMode CurrentBkMode() const { return bkMode_; }
  int CurrentX() const { return curX_; }
  int CurrentY() const { return curY_; }

  // Line from the current position to (x, y) with the selected pen, (x, y) itself not
  // painted; the current position becomes (x, y). A one-pixel pen paints one pixel per
  // step along the longer axis (x when equal), the other coordinate rounded to the nearest
  // pixel with exact halves going to the smaller coordinate, as GDI does: (0,0) to (4,2)
  // paints (0,0) (1,0) (2,1) (3,1). A wider pen paints `width` pixels across the longer
  // axis around each of those (offsets -(width-1)/2 .. width/2) plus width x width squares
  // on both end points.
  virtual void LineTo(int x, int y) = 0;
  virtual void SetPixel(int x, int y, Colorref c) = 0;
  // Outline with the pen, inside filled with the brush; right and bottom exclusive. The
  // outline lies inside the rectangle, pen-width pixels deep.
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  // UTF-8 text with its cell's top-left corner at (x, y), in the selected font and text
  // colour; in opaque mode the text cell, x .. x + TextWidth - 1 by y .. y + height - 1, is
  // first filled with the background colour.
  virtual void TextOutUtf8(int x, int y, std::string_view utf8) = 0;

 protected:
  Pen pen_;
  Brush brush_;
  Font font_;
  Colorref textColor_ = kBlack;
  Colorref bkColor_ = kWhite;
  BkMode bkMode_ = BkMode::kOpaque;
  int curX_ = 0;
  int curY_ = 0;
};

// A Dc that paints into a Surface.
class SurfaceDc : public Dc {
 public:
  explicit SurfaceDc(Surface& surface);
  ~SurfaceDc() override;

  void LineTo(int x, int y) override;
  void SetPixel(int x, int y, Colorref c) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void TextOutUtf8(int x, int y, std::string_view utf8) override;
  // Copies width x height pixels of src from (srcX, srcY) to (x, y) of this surface.
  void BitBlt(int x, int y, int width, int height, const Surface& src, int srcX, int srcY);

  Surface& Target() { return surface_; }

 private:
  Surface& surface_;
};

// A printed document's pages: the drawing calls of Dc in printer dots, plus the spooler's
// steps. Resolutions and the printable area are those of the page as it is printed, on the
// paper and in the orientation the user chose; (0, 0) is the printable area's top left.
class PageDc : public Dc {
 public:
  virtual int DpiX() const = 0;
  virtual int DpiY() const = 0;
  // The printable area in dots (GetDeviceCaps' HORZRES and VERTRES).
  virtual int PrintableWidth() const = 0;
  virtual int PrintableHeight() const = 0;
  virtual void StartDocument(const std::string& name) = 0;
  virtual void StartPage() = 0;
  virtual void EndPage() = 0;
  // False when the document could not be completed where that can be known: a file
  // output that could not be written in full. A printer's spooler reports nothing here.
  virtual bool EndDocument() = 0;
};

}  // namespace oxi
