#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/gdi/dc.h"

struct FT_FaceRec_;  // FreeType's face, kept out of this header

namespace oxi {

// One rendered glyph: an 8-bit coverage bitmap placed relative to the pen position on the
// baseline, and the distance the pen moves on.
struct Glyph {
  int left = 0;  // from the pen position to the bitmap's first column
  int top = 0;   // from the baseline up to the bitmap's first row
  int width = 0;
  int rows = 0;
  int advance = 0;
  std::vector<std::uint8_t> coverage;  // rows * width, 0 = empty, 255 = full
};

// A face at one cell height and weight, with the glyphs rendered from it so far.
class SizedFace {
 public:
  // Takes ownership of `face` and sizes it so that its ascent plus descent is `height`.
  SizedFace(FT_FaceRec_* face, int height, bool bold);
  ~SizedFace();
  SizedFace(const SizedFace&) = delete;
  SizedFace& operator=(const SizedFace&) = delete;

  int Ascent() const { return ascent_; }  // from the cell's top to the baseline
  const Glyph& GlyphOf(char32_t c);

 private:
  Glyph Render(char32_t c);

  FT_FaceRec_* face_;
  int ascent_ = 0;
  long emboldenStrength_ = 0;  // 26.6 pixels; 0 for the face's own weight
  std::unordered_map<char32_t, Glyph> glyphs_;
};

// The faces and glyphs rendered so far, kept for the life of the process: the screen
// draws the same few labels in the same few sizes over and over. Single-threaded.
class GlyphCache {
 public:
  static GlyphCache& Instance();

  // The face for `font` at its cell height; nullptr when no face file can be loaded.
  SizedFace* Face(const Font& font);

  GlyphCache(const GlyphCache&) = delete;
  GlyphCache& operator=(const GlyphCache&) = delete;
  ~GlyphCache();

 private:
  GlyphCache();

  struct Library;
  std::unique_ptr<Library> library_;
  std::map<std::string, std::pair<std::string, int>> matched_;  // face -> (file, index)
  // (file, index, height, bold) -> face; a null entry remembers a face that failed to load.
  std::map<std::tuple<std::string, int, int, bool>, std::unique_ptr<SizedFace>> faces_;
  bool haveLast_ = false;  // the last lookup, which repeats for most texts of a drawing
  Font lastFont_;
  SizedFace* lastFace_ = nullptr;
};

}  // namespace oxi
