#pragma once
#include <cstdint>
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

// The operating system's part of PaintText: the glyphs of the text, their cell's top-left
// corner at (x, y), blended onto the surface in `color` (through BlendCoverage).
void BlendText(Surface& surface, int x, int y, const Font& font, Colorref color,
               std::string_view utf8);

// Blends `color` onto the surface through a width x rows coverage bitmap (0 leaves a
// pixel, 255 paints it) whose top-left pixel lands on (x, y); clipped to the surface.
void BlendCoverage(Surface& surface, long x, long y, int width, int rows,
                   const std::uint8_t* coverage, Colorref color);

}  // namespace oxi
