#include "platform/gdi/text_draw.h"

#include <algorithm>
#include <vector>

#include "platform/gdi/font.h"
#include "platform/gdi/glyph_cache.h"
#include "platform/gdi/surface.h"
#include "platform/text/utf8.h"

namespace oxi {

namespace {

constexpr int kFullCoverage = 255;

// The glyphs of the text in order; pointers stay valid because the cache never drops one.
std::vector<const Glyph*> GlyphsOf(SizedFace& face, std::string_view utf8) {
  std::vector<const Glyph*> glyphs;
  glyphs.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();)
    glyphs.push_back(&face.GlyphOf(NextCodePoint(utf8, pos)));
  return glyphs;
}

int AdvanceOf(const std::vector<const Glyph*>& glyphs) {
  long width = 0;
  for (const Glyph* g : glyphs) width += g->advance;
  return static_cast<int>(std::min<long>(width, 1L << 30));
}

std::uint8_t Mix(int below, int above, int coverage) {
  return static_cast<std::uint8_t>(
      (below * (kFullCoverage - coverage) + above * coverage + kFullCoverage / 2) / kFullCoverage);
}

// Blends one glyph's coverage in `color` onto the surface, its bitmap's top-left at (x, y).
void BlendGlyph(Surface& s, long x, long y, const Glyph& g, Colorref color) {
  const int r = RedOf(color), gr = GreenOf(color), b = BlueOf(color);
  const long x0 = std::max(0L, -x), x1 = std::min<long>(g.width, s.Width() - x);
  const long y0 = std::max(0L, -y), y1 = std::min<long>(g.rows, s.Height() - y);
  for (long row = y0; row < y1; ++row) {
    const std::uint8_t* cov = &g.coverage[row * g.width];
    std::uint8_t* px = s.Data() + (y + row) * s.Stride() + (x + x0) * 3;
    for (long col = x0; col < x1; ++col, px += 3) {
      const int c = cov[col];
      if (c == 0) continue;
      px[0] = Mix(px[0], r, c);
      px[1] = Mix(px[1], gr, c);
      px[2] = Mix(px[2], b, c);
    }
  }
}

}  // namespace

int TextWidth(const Font& font, std::string_view utf8) {
  SizedFace* face = GlyphCache::Instance().Face(font);
  return face ? AdvanceOf(GlyphsOf(*face, utf8)) : 0;
}

void PaintText(Surface& surface, int x, int y, const Font& font, Colorref color,
               std::optional<Colorref> background, std::string_view utf8) {
  SizedFace* face = GlyphCache::Instance().Face(font);
  if (!face) return;
  const std::vector<const Glyph*> glyphs = GlyphsOf(*face, utf8);
  if (background) {
    const long right = std::min<long>(long{x} + AdvanceOf(glyphs), surface.Width() + 1L);
    const long bottom = std::min<long>(long{y} + std::max(font.height, 1), surface.Height() + 1L);
    surface.FillRect(x, y, static_cast<int>(right), static_cast<int>(bottom), *background);
  }
  long pen = x;
  const long baseline = long{y} + face->Ascent();
  for (const Glyph* g : glyphs) {
    if (pen >= surface.Width()) break;
    BlendGlyph(surface, pen + g->left, baseline - g->top, *g, color);
    pen += g->advance;
  }
}

}  // namespace oxi
