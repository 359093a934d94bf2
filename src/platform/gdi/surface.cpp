#include "platform/gdi/surface.h"

#include <algorithm>
#include <cstddef>

#include "platform/fs/safe_write.h"

namespace oxi {

namespace {

// A surface needs at least one pixel per side for its buffer arithmetic to be simple;
// callers asking for less get an empty surface that ignores every write.
int NonNegative(int v) {
  return v < 0 ? 0 : v;
}

}  // namespace

Surface::Surface(int width, int height, Colorref fill)
    : Surface(PixelGrid{}, width, height, fill) {}

Surface::Surface(const PixelGrid& grid, int logicalWidth, int logicalHeight, Colorref fill)
    : grid_(grid),
      logicalWidth_(NonNegative(logicalWidth)),
      logicalHeight_(NonNegative(logicalHeight)),
      width_(grid.X(logicalWidth_)),
      height_(grid.Y(logicalHeight_)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3,
              static_cast<std::uint8_t>(RedOf(fill))) {
  // A grey (white, most often) is one byte throughout, set as the buffer is made.
  if (RedOf(fill) != GreenOf(fill) || RedOf(fill) != BlueOf(fill)) Fill(fill);
}

Colorref Surface::Pixel(int x, int y) const {
  if (!Contains(x, y)) return kBlack;
  const std::uint8_t* p = &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 3];
  return Rgb(p[0], p[1], p[2]);
}

void Surface::SetPixel(int x, int y, Colorref c) {
  if (!Contains(x, y)) return;
  std::uint8_t* p = &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 3];
  p[0] = static_cast<std::uint8_t>(RedOf(c));
  p[1] = static_cast<std::uint8_t>(GreenOf(c));
  p[2] = static_cast<std::uint8_t>(BlueOf(c));
}

void Surface::Fill(Colorref c) {
  FillRect(0, 0, width_, height_, c);
}

void Surface::FillRect(int left, int top, int right, int bottom, Colorref c) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (left >= right || top >= bottom) return;
  const std::uint8_t rgb[3] = {static_cast<std::uint8_t>(RedOf(c)),
                               static_cast<std::uint8_t>(GreenOf(c)),
                               static_cast<std::uint8_t>(BlueOf(c))};
  // Fill the first row pixel by pixel, then copy it: rows are contiguous bytes.
  std::uint8_t* first = &pixels_[(static_cast<std::size_t>(top) * width_ + left) * 3];
  for (int x = 0; x < right - left; ++x) std::copy(rgb, rgb + 3, first + x * 3);
  const std::size_t rowBytes = static_cast<std::size_t>(right - left) * 3;
  for (int y = top + 1; y < bottom; ++y) {
    std::copy(first, first + rowBytes, &pixels_[(static_cast<std::size_t>(y) * width_ + left) * 3]);
  }
}

bool Surface::WritePng(const std::string& path) const {
  const std::string bytes = EncodePng();
  return !bytes.empty() && WriteFileAtomically(PathFromUtf8(path), bytes);
}

}  // namespace oxi
