#include "platform/gdi/posix/glyph_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/posix/font_match.h"

namespace oxi {

namespace {

// Weights from semibold up are drawn bold; the face has only its regular weight, so bold
// is synthesised by thickening the outline. Lighter weights use the regular face.
constexpr int kBoldWeight = 600;
// Outline thickening as a share of the em size (1/24), the usual synthetic-bold strength.
constexpr long kEmboldenDivisor = 24;
constexpr long kUnitsPer26Dot6 = 64;

// Windows treats a positive font height as the cell height, the face's own ascent plus
// descent (its OS/2 win metrics) scaled; the em size follows from that.
struct CellMetrics {
  long ascent;
  long descent;
};

CellMetrics CellMetricsOf(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    return {os2->usWinAscent, os2->usWinDescent};
  }
  if (face->ascender - face->descender > 0) return {face->ascender, -face->descender};
  return {face->units_per_EM, 0};
}

long RoundDiv(long n, long d) {
  return d == 0 ? 0 : (2 * n + d) / (2 * d);
}

// Copies the rendered bitmap of a glyph slot as 8-bit coverage (gray or 1-bit bitmaps).
void CopyCoverage(const FT_Bitmap& bitmap, Glyph& glyph) {
  glyph.width = static_cast<int>(bitmap.width);
  glyph.rows = static_cast<int>(bitmap.rows);
  glyph.coverage.assign(static_cast<std::size_t>(glyph.width) * glyph.rows, 0);
  const int pitch = std::abs(bitmap.pitch);
  for (int y = 0; y < glyph.rows; ++y) {
    const int srcRow = bitmap.pitch >= 0 ? y : glyph.rows - 1 - y;
    const unsigned char* src = bitmap.buffer + static_cast<std::size_t>(srcRow) * pitch;
    std::uint8_t* dst = &glyph.coverage[static_cast<std::size_t>(y) * glyph.width];
    for (int x = 0; x < glyph.width; ++x) {
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        dst[x] = (src[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
      } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        dst[x] = src[x];
      }
    }
  }
}

}  // namespace

SizedFace::SizedFace(FT_FaceRec_* face, int height, bool bold) : face_(face) {
  const CellMetrics m = CellMetricsOf(face_);
  const long cell = m.ascent + m.descent;
  const long ppem = std::max(1L, RoundDiv(long{height} * face_->units_per_EM, cell));
  FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(ppem));
  ascent_ = static_cast<int>(RoundDiv(long{height} * m.ascent, cell));
  if (bold) emboldenStrength_ = std::max(1L, ppem * kUnitsPer26Dot6 / kEmboldenDivisor);
}

SizedFace::~SizedFace() {
  FT_Done_Face(face_);
}

const Glyph& SizedFace::GlyphOf(char32_t c) {
  auto it = glyphs_.find(c);
  if (it == glyphs_.end()) it = glyphs_.emplace(c, Render(c)).first;
  return it->second;
}

Glyph SizedFace::Render(char32_t c) {
  Glyph glyph;
  // A character the face lacks shows as the face's missing-glyph box.
  const FT_UInt index = FT_Get_Char_Index(face_, c);
  // Hinted for and rendered as 1-bit bitmaps: crisp strokes in exactly the text colour,
  // the look of a draft-quality screen font.
  if (FT_Load_Glyph(face_, index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO) != 0 &&
      FT_Load_Glyph(face_, index, FT_LOAD_TARGET_MONO) != 0) {
    return glyph;
  }
  FT_GlyphSlot slot = face_->glyph;
  FT_Pos advance = slot->advance.x;
  if (emboldenStrength_ > 0 && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    FT_Outline_Embolden(&slot->outline, emboldenStrength_);
    advance += emboldenStrength_;
  }
  glyph.advance = static_cast<int>((advance + kUnitsPer26Dot6 / 2) / kUnitsPer26Dot6);
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return glyph;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  CopyCoverage(slot->bitmap, glyph);
  return glyph;
}

struct GlyphCache::Library {
  FT_Library ft = nullptr;
  Library() {
    if (FT_Init_FreeType(&ft) != 0) ft = nullptr;
  }
  ~Library() {
    if (ft) FT_Done_FreeType(ft);
  }
};

GlyphCache& GlyphCache::Instance() {
  static GlyphCache cache;
  return cache;
}

GlyphCache::GlyphCache() : library_(std::make_unique<Library>()) {}

GlyphCache::~GlyphCache() {
  // Faces belong to the library and must go before it.
  faces_.clear();
}

SizedFace* GlyphCache::Face(const Font& font) {
  if (haveLast_ && font == lastFont_) return lastFace_;
  auto matched = matched_.find(font.face);
  if (matched == matched_.end()) {
    const FontMatch m = MatchFont(font.face);
    matched = matched_.emplace(font.face, std::pair{m.path, m.index}).first;
  }
  const auto& [path, index] = matched->second;
  const bool bold = font.weight >= kBoldWeight;
  const auto key = std::tuple{path, index, std::max(font.height, 1), bold};
  auto it = faces_.find(key);
  if (it == faces_.end()) {
    std::unique_ptr<SizedFace> sized;
    FT_Face face = nullptr;
    if (library_->ft && !path.empty() &&
        FT_New_Face(library_->ft, path.c_str(), index, &face) == 0) {
      sized = std::make_unique<SizedFace>(face, std::get<2>(key), bold);
    }
    it = faces_.emplace(key, std::move(sized)).first;
  }
  haveLast_ = true;
  lastFont_ = font;
  lastFace_ = it->second.get();
  return lastFace_;
}

}  // namespace oxi
