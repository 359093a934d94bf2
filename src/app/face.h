#pragma once
#include "platform/gdi/dc.h"

namespace oxi {

// The window's own face: the light grey areas around the controls, the labels of the
// moving-average field and the bits of grey that frame the button row.
void DrawFace(Dc& face);

}  // namespace oxi
