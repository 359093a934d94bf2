#include "platform/gdi/text_draw.h"

#include <algorithm>

#include "platform/gdi/font.h"
#include "platform/gdi/surface.h"

namespace oxi {

namespace {

constexpr int kFullCoverage = 255;

std::uint8_t Mix(int below, int above, int coverage) {
  return static_cast<std::uint8_t>(
      (below * (kFullCoverage - coverage) + above * coverage + kFullCoverage / 2) / kFullCoverage);
}

}  // namespace

void BlendCoverage(Surface& s, long x, long y, int width, int rows, const std::uint8_t* coverage,
                   Colorref color) {
  const int r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
  const long x0 = std::max(0L, -x), x1 = std::min<long>(width, s.Width() - x);
  const long y0 = std::max(0L, -y), y1 = std::min<long>(rows, s.Height() - y);
  for (long row = y0; row < y1; ++row) {
    const std::uint8_t* cov = coverage + row * width;
    std::uint8_t* px = s.Data() + (y + row) * s.Stride() + (x + x0) * 3;
    for (long col = x0; col < x1; ++col, px += 3) {
      const int c = cov[col];
      if (c == 0) continue;
      px[0] = Mix(px[0], r, c);
      px[1] = Mix(px[1], g, c);
      px[2] = Mix(px[2], b, c);
    }
  }
}

void PaintText(Surface& surface, int x, int y, const Font& font, Colorref color,
               std::optional<Colorref> background, std::string_view utf8) {
  if (background) {
    const long right = std::min<long>(long{x} + TextWidth(font, utf8), surface.Width() + 1L);
    const long bottom = std::min<long>(long{y} + std::max(font.height, 1), surface.Height() + 1L);
    surface.FillRect(x, y, static_cast<int>(right), static_cast<int>(bottom), *background);
  }
  // Glyphs keep within a cell height of their cell: text farther off cannot show.
  const long reach = std::max(font.height, 1);
  if (x >= surface.Width() || y >= surface.Height() + reach || long{y} + 2 * reach <= 0) return;
  BlendText(surface, x, y, font, color, utf8);
}

}  // namespace oxi
