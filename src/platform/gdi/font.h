#pragma once
#include <string_view>

#include "platform/gdi/dc.h"

namespace oxi {

// Advance width in pixels of UTF-8 text in `font`: how far TextOutUtf8's cell reaches.
int TextWidth(const Font& font, std::string_view utf8);

}  // namespace oxi
