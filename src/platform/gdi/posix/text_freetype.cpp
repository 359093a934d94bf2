#include <algorithm>
#include <vector>

#include "platform/gdi/font.h"
#include "platform/gdi/posix/glyph_cache.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/text_draw.h"
#include "platform/text/utf8.h"

namespace oxi {

namespace {

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

}  // namespace

int TextWidth(const Font& font, std::string_view utf8) {
  SizedFace* face = GlyphCache::Instance().Face(font);
  return face ? AdvanceOf(GlyphsOf(*face, utf8)) : 0;
}

void BlendText(Surface& surface, int x, int y, const Font& font, Colorref color,
               std::string_view utf8) {
  SizedFace* face = GlyphCache::Instance().Face(font);
  if (!face) return;
  long pen = x;
  const long baseline = long{y} + face->Ascent();
  for (const Glyph* g : GlyphsOf(*face, utf8)) {
    if (pen >= surface.Width()) break;
    BlendCoverage(surface, pen + g->left, baseline - g->top, g->width, g->rows, g->coverage.data(),
                  color);
    pen += g->advance;
  }
}

}  // namespace oxi
