#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/gdi/color.h"
#include "platform/gdi/scale.h"

namespace oxi {

class DeviceAxis;
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

// A drawn box whose frame and bevel lines run along its edges, depthX pixel columns deep
// on its left and right, depthY rows on its top and bottom; right and bottom exclusive.
// At a fractional scale its frame pixels each get one pen width of device pixels, so that
// a frame is as thick on one side as on the other, and its inside takes up what is left;
// its edges stay where the plain mapping puts them. At whole scales this is the plain
// mapping, and a page or a surface at scale 1 ignores it.
struct FramedBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int depthX = 0;
  int depthY = 0;
};

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
  // The box the following drawing calls draw the frame of, or none.
  void SetFramedBox(const std::optional<FramedBox>& box) { box_ = box; }
  const std::optional<FramedBox>& CurrentFramedBox() const { return box_; }

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
  std::optional<FramedBox> box_;
};

// Draws the frame of one box for as long as it lives, then restores the box before.
class FramedBoxScope {
 public:
  FramedBoxScope(Dc& dc, const FramedBox& box) : dc_(dc), before_(dc.CurrentFramedBox()) {
    dc.SetFramedBox(box);
  }
  ~FramedBoxScope() { dc_.SetFramedBox(before_); }
  FramedBoxScope(const FramedBoxScope&) = delete;
  FramedBoxScope& operator=(const FramedBoxScope&) = delete;

 private:
  Dc& dc_;
  std::optional<FramedBox> before_;
};

// A Dc that paints into a Surface. Its coordinates are logical pixels, mapped to device
// pixels through the surface's grid: every edge of a rectangle or a line lands on a whole
// device pixel, pens are PenWidth device pixels wide, text is drawn in the face at the
// scaled height, and lines that are not level or upright are drawn at device pixels. At
// scale 1 logical and device pixels are the same.
class SurfaceDc : public Dc {
 public:
  explicit SurfaceDc(Surface& surface);
  ~SurfaceDc() override;

  void LineTo(int x, int y) override;
  void SetPixel(int x, int y, Colorref c) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void TextOutUtf8(int x, int y, std::string_view utf8) override;
  // Copies width x height pixels of src from (srcX, srcY) to (x, y) of this surface.
  // Exact when src lies on this surface's grid at (x - srcX, y - srcY), as one made by
  // CompatibleSurface does.
  void BitBlt(int x, int y, int width, int height, const Surface& src, int srcX, int srcY);
  // A surface for drawing a width x height area off-screen that BitBlt then copies to
  // (x, y) of this one, pixel for pixel.
  Surface CompatibleSurface(int x, int y, int width, int height) const;

  Surface& Target() { return surface_; }

 private:
  // The mapping of each axis to device pixels, through the grid and the framed box.
  DeviceAxis AxisX() const;
  DeviceAxis AxisY() const;
  void ScaledLine(int x, int y);

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
