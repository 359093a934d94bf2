#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/color.h"
#include "platform/gdi/scale.h"

namespace oxi {

// A width x height buffer of RGB pixels, three bytes a pixel (R, G, B), rows top down
// without padding: the layout a host can show without converting. The drawings see it
// through its grid, in logical pixels; Width, Height and the pixel calls are in device
// pixels, which are the logical ones at scale 1.
class Surface {
 public:
  Surface(int width, int height, Colorref fill = kWhite);
  // A surface for a logicalWidth x logicalHeight drawing on the grid: as many device
  // pixels as the grid gives those logical ones.
  Surface(const PixelGrid& grid, int logicalWidth, int logicalHeight, Colorref fill = kWhite);

  int Width() const { return width_; }
  int Height() const { return height_; }
  const PixelGrid& Grid() const { return grid_; }
  int LogicalWidth() const { return logicalWidth_; }
  int LogicalHeight() const { return logicalHeight_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // Reading outside the surface gives black; writing outside is ignored.
  Colorref Pixel(int x, int y) const;
  void SetPixel(int x, int y, Colorref c);
  void Fill(Colorref c);
  // Fills x in [left, right), y in [top, bottom), clipped to the surface.
  void FillRect(int left, int top, int right, int bottom, Colorref c);

  const std::uint8_t* Data() const { return pixels_.data(); }
  std::uint8_t* Data() { return pixels_.data(); }
  int Stride() const { return width_ * 3; }

  // The surface as the bytes of an 8-bit RGB PNG; empty when it cannot be encoded.
  std::string EncodePng() const;
  // Writes EncodePng's bytes through the safe writer: an earlier file stays whole when the
  // new one cannot be written in full. False when it was not written.
  bool WritePng(const std::string& path) const;
  // Reads any PNG, converted to 8-bit RGB (alpha dropped); nothing when it cannot be read.
  static std::optional<Surface> ReadPng(const std::string& path);

  bool operator==(const Surface&) const = default;

 private:
  PixelGrid grid_;
  int logicalWidth_;
  int logicalHeight_;
  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace oxi
