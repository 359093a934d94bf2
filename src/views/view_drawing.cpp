#include "views/view_drawing.h"

#include <cstdlib>

#include "graph/draw_steps.h"
#include "platform/gdi/font.h"

namespace oxi {

void FillArea(Dc& dc, const ToolRect& r, Colorref color) {
  dc.SelectPen(Pen{color});
  dc.SelectBrush(Brush{color});
  dc.Rectangle(r.x, r.y, r.x + r.width, r.y + r.height);
}

void FrameArea(Dc& dc, const ToolRect& r, Colorref color) {
  dc.SelectPen(Pen{color});
  DrawOutline(dc, r.x, r.y, r.x + r.width - 1, r.y + r.height - 1);
}

void TextEndingAt(Dc& dc, int right, int y, std::string_view utf8) {
  dc.TextOutUtf8(right - TextWidth(dc.CurrentFont(), utf8), y, utf8);
}

void TextCentredIn(Dc& dc, const ToolRect& r, std::string_view utf8) {
  const Font& font = dc.CurrentFont();
  dc.TextOutUtf8(r.x + (r.width - TextWidth(font, utf8)) / 2, r.y + (r.height - font.height) / 2,
                 utf8);
}

void DrawButtonFrame(Dc& dc, const ToolRect& r, const ButtonLook& look) {
  FillArea(dc, r, look.face);
  FrameArea(dc, r, look.outline);
}

void DrawArrowButton(Dc& dc, const ToolRect& r, int direction, bool enabled) {
  DrawButtonFrame(dc, r, kToolButtonLook);
  dc.SelectPen(Pen{enabled ? kToolButtonSign : kToolDisabledSign});
  const int base = r.x + r.width / 2 - direction * kArrowSignRadius;
  const int cy = r.y + r.height / 2;
  for (int d = -kArrowSignRadius; d <= kArrowSignRadius; ++d) {
    const int end = base + direction * 2 * (kArrowSignRadius - std::abs(d));
    DrawLine(dc, base, cy + d, end + direction, cy + d);
  }
}

}  // namespace oxi
