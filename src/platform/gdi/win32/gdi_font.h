#pragma once
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/gdi/dc.h"

namespace oxi {

// One of the program's fonts as a Japanese Windows program of its kind names it to GDI: a
// positive height (the cell height in device pixels), the weight, the Japanese character
// set and the face, with the given output quality.
LOGFONTW LogFontOf(const Font& font, BYTE quality);

// The font of the windows' controls and the printed page, in draft quality as such
// programs create them. The caller deletes it.
HFONT CreateDraftFont(const Font& font);

}  // namespace oxi
