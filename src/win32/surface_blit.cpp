#include "win32/surface_blit.h"

#include <cstdint>
#include <vector>

namespace oxi {
namespace {

constexpr int kBitsPerPixel = 32;
constexpr int kSurfaceBytesPerPixel = 3;

// The surface's RGB rows as the 32-bit BGRX rows a device-independent bitmap takes. One
// buffer serves every copy: the host draws on one thread.
const std::uint32_t* BgrxPixels(const Surface& surface) {
  static std::vector<std::uint32_t> pixels;
  const std::size_t count = static_cast<std::size_t>(surface.Width()) * surface.Height();
  pixels.resize(count);
  const std::uint8_t* rgb = surface.Data();
  for (std::uint32_t& pixel : pixels) {
    pixel = (std::uint32_t{rgb[0]} << 16) | (std::uint32_t{rgb[1]} << 8) | rgb[2];
    rgb += kSurfaceBytesPerPixel;
  }
  return pixels.data();
}

}  // namespace

void ShowSurface(HDC dc, const Surface& surface) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = surface.Width();
  info.bmiHeader.biHeight = -surface.Height();  // negative: the first row is the top one
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = kBitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  StretchDIBits(dc, 0, 0, surface.Width(), surface.Height(), 0, 0, surface.Width(),
                surface.Height(), BgrxPixels(surface), &info, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace oxi
