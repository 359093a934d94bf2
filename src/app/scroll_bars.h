#pragma once
#include "app/scroll_bar_geometry.h"
#include "platform/gdi/dc.h"

namespace oxi {

// The graph scroll bar with its thumb `thumbWidth` wide at `offset` along its track.
// The offset is held inside 0..424 - thumbWidth and the held value stored back.
void DrawGraphScrollBar(Dc& control, int& offset, int look, int thumbWidth);

// The list scroll bar with its thumb `thumbLength` long at `position` below the track's
// top. The position is held inside 0..160 - thumbLength and the held value stored back.
void DrawListScrollBar(Dc& control, int& position, int look, int thumbLength);

}  // namespace oxi
