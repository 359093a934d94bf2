// The release: pressed looks go back to hovered ones, and the held flags that keep the
// press loops running are cleared.
#include "app/buttons.h"
#include "app/calendar.h"
#include "app/main_dialog.h"
#include "app/scroll_bar_geometry.h"

namespace oxi {
namespace {

int GraphBarHoverLook(GraphBarPart part) {
  switch (part) {
    case GraphBarPart::kLeftArrow:
      return kLookFirstArrowHovered;
    case GraphBarPart::kRightArrow:
      return kLookSecondArrowHovered;
    case GraphBarPart::kThumb:
      return kLookThumbHovered;
    default:
      return kLookNormal;
  }
}

int ListBarHoverLook(ListBarPart part) {
  switch (part) {
    case ListBarPart::kUpArrow:
      return kLookFirstArrowHovered;
    case ListBarPart::kDownArrow:
      return kLookSecondArrowHovered;
    case ListBarPart::kThumb:
      return kLookThumbHovered;
    default:
      return kLookNormal;
  }
}

}  // namespace

void CMainDialog::OnLButtonUp(int x, int y) {
  if (const std::optional<CalendarCell> cell = CalendarCellAt(x, y)) {
    DrawDaysThenCell(cell, kCellHoveredEmpty, kCellHoveredWithRecords);
  }

  const int graphLook =
      GraphBarHoverLook(GraphBarPartAt(x, y, state_.graphOffset, state_.graphThumbWidth));
  DrawGraphBar(graphLook);
  state_.graphBarHover = graphLook;
  state_.graphHeld = 0;

  const int listLook =
      ListBarHoverLook(ListBarPartAt(x, y, state_.listThumbPosition, state_.listThumbLength));
  if (listLook != kLookNormal) DrawListBar(listLook);
  state_.listHeld = 0;

  for (int control : kButtonControls) {
    if (!InButton(control, x, y)) continue;
    DrawButtonNow(ButtonCode(control, kButtonHovered));
    ButtonStateOf(control) = kButtonHovered;
  }
}

}  // namespace oxi
