#pragma once
#include "platform/gdi/surface.h"
#include "win32/windows_api.h"

namespace oxi {

// Copies the surface's pixels 1:1 onto `dc` with its top left at (0, 0); whatever of the
// surface lies outside the context's clipping is left out.
void ShowSurface(HDC dc, const Surface& surface);

}  // namespace oxi
