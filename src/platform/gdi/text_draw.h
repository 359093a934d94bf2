#pragma once
#include <optional>
#include <string_view>

#include "platform/gdi/color.h"
#include "platform/gdi/dc.h"

namespace oxi {

class Surface;

// Draws UTF-8 text with its cell's top-left corner at (x, y). With a background colour the
// cell (x, y) .. (x + advance width, y + font height) is filled with it first. Glyphs are
// not anti-aliased: a glyph pixel is either left alone or painted in `color` exactly.
void PaintText(Surface& surface, int x, int y, const Font& font, Colorref color,
               std::optional<Colorref> background, std::string_view utf8);

}  // namespace oxi
