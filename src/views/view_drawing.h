#pragma once
#include <string_view>

#include "platform/gdi/dc.h"
#include "platform/ui/tool_window.h"

// Small pieces the tool windows draw with.
namespace oxi {

// The rectangle filled in one colour, outline included.
void FillArea(Dc& dc, const ToolRect& r, Colorref color);
// A one-pixel outline of the rectangle, inside it.
void FrameArea(Dc& dc, const ToolRect& r, Colorref color);
// Text in the selected font and text colour, its cell ending at column `right` (excluded).
void TextEndingAt(Dc& dc, int right, int y, std::string_view utf8);
// Text centred in the rectangle.
void TextCentredIn(Dc& dc, const ToolRect& r, std::string_view utf8);

// A push button the program draws: outline and face; its caption or sign comes after.
struct ButtonLook {
  Colorref face;
  Colorref outline;
};
void DrawButtonFrame(Dc& dc, const ToolRect& r, const ButtonLook& look);

// The tool windows' buttons: face, outline, the sign of one that acts and of one that would
// not.
inline constexpr Colorref kToolButtonFace = Rgb(212, 245, 255);
inline constexpr Colorref kToolButtonOutline = Rgb(128, 192, 255);
inline constexpr ButtonLook kToolButtonLook{kToolButtonFace, kToolButtonOutline};
inline constexpr Colorref kToolButtonSign = Rgb(32, 64, 128);
inline constexpr Colorref kToolDisabledSign = Rgb(176, 176, 176);
inline constexpr int kArrowSignRadius = 4;
// A button with a triangle pointing left (direction -1) or right (+1), grey when it would
// do nothing.
void DrawArrowButton(Dc& dc, const ToolRect& r, int direction, bool enabled);

}  // namespace oxi
