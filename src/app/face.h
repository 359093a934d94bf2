#pragma once
#include "app/screen_layout.h"
#include "platform/gdi/dc.h"

namespace oxi {

// The window's own face: the light grey areas around the controls, the labels of the
// moving-average field and the bits of grey that frame the button row. `shownWidth` is how
// much of the face's width the window shows; the labels keep inside it.
void DrawFace(Dc& face, int shownWidth = kFaceWidth);

}  // namespace oxi
