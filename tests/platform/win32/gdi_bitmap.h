#pragma once
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX  // GoogleTest's headers may have defined it already
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/surface.h"

namespace oxi::testing {

// A 32-bit DIB section with a memory context, drawn on by GDI itself: the reference our
// rasterizer is compared with.
class GdiBitmap {
 public:
  GdiBitmap(int width, int height)
      : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~GdiBitmap() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  GdiBitmap(const GdiBitmap&) = delete;
  GdiBitmap& operator=(const GdiBitmap&) = delete;

  HDC Dc() const { return dc_; }
  bool Ok() const { return bits_ != nullptr; }

  void Fill(Colorref c) {
    GdiFlush();
    const std::uint32_t value = Pixel32(c);
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = value;
  }
  // Every pixel as GDI left it, once its drawing calls have all been carried out.
  std::vector<Colorref> Pixels() const {
    GdiFlush();
    std::vector<Colorref> pixels(static_cast<std::size_t>(width_) * height_);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
      const std::uint32_t v = bits_[i];
      pixels[i] = Rgb((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    return pixels;
  }

 private:
  static std::uint32_t Pixel32(Colorref c) {
    return (std::uint32_t(RedOf(c)) << 16) | (std::uint32_t(GreenOf(c)) << 8) | BlueOf(c);
  }

  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// The first pixel at which our surface and GDI's bitmap differ, as "x,y ours/GDI's".
inline std::optional<std::string> FirstDifference(const Surface& ours, const GdiBitmap& gdi) {
  const std::vector<Colorref> theirs = gdi.Pixels();
  for (int y = 0; y < ours.Height(); ++y) {
    for (int x = 0; x < ours.Width(); ++x) {
      const Colorref reference = theirs[static_cast<std::size_t>(y) * ours.Width() + x];
      if (ours.Pixel(x, y) != reference) {
        return std::to_string(x) + "," + std::to_string(y) + " ours " +
               std::to_string(ours.Pixel(x, y)) + " GDI's " + std::to_string(reference);
      }
    }
  }
  return std::nullopt;
}

// A context that draws every line, pixel and rectangle twice: with our rasterizer on a
// surface and with GDI on a bitmap of the same size. Text is left out: its glyphs come
// from different engines on purpose.
class MirrorDc : public Dc {
 public:
  MirrorDc(Surface& ours, GdiBitmap& gdi) : ours_(ours), gdi_(gdi) {}
  ~MirrorDc() override {
    SelectObject(gdi_.Dc(), GetStockObject(BLACK_PEN));
    SelectObject(gdi_.Dc(), GetStockObject(WHITE_BRUSH));
    if (pen_) DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
  }

  void LineTo(int x, int y) override {
    ours_.SelectPen(CurrentPen());
    ours_.MoveTo(CurrentX(), CurrentY());
    ours_.LineTo(x, y);
    UseGdiPen();
    MoveToEx(gdi_.Dc(), CurrentX(), CurrentY(), nullptr);
    ::LineTo(gdi_.Dc(), x, y);
    MoveTo(x, y);
  }
  void SetPixel(int x, int y, Colorref c) override {
    ours_.SetPixel(x, y, c);
    ::SetPixel(gdi_.Dc(), x, y, c);
  }
  void Rectangle(int left, int top, int right, int bottom) override {
    ours_.SelectPen(CurrentPen());
    ours_.SelectBrush(CurrentBrush());
    ours_.Rectangle(left, top, right, bottom);
    UseGdiPen();
    SelectObject(gdi_.Dc(), GetStockObject(WHITE_BRUSH));
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(CurrentBrush().color);
    SelectObject(gdi_.Dc(), brush_);
    ::Rectangle(gdi_.Dc(), left, top, right, bottom);
  }
  void TextOutUtf8(int, int, std::string_view) override {}

 private:
  void UseGdiPen() {
    SelectObject(gdi_.Dc(), GetStockObject(BLACK_PEN));
    if (pen_) DeleteObject(pen_);
    pen_ = CreatePen(PS_SOLID, CurrentPen().width, CurrentPen().color);
    SelectObject(gdi_.Dc(), pen_);
  }

  SurfaceDc ours_;
  GdiBitmap& gdi_;
  HPEN pen_ = nullptr;
  HBRUSH brush_ = nullptr;
};

}  // namespace oxi::testing
