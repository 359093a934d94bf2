// Presses on the day list's scroll bar: the arrows step one entry (after a pause, then
// repeating), the page areas move the thumb by its length, the thumb drags.
#include <algorithm>

#include "app/main_dialog.h"
#include "app/screen_layout.h"
#include "app/scroll_bar_geometry.h"

namespace oxi {
namespace {

constexpr int kListRepeatDelayMs = 200;
constexpr int kListRepeatIntervalMs = 20;

}  // namespace

void CMainDialog::PressListBar(ListBarPart part, int y) {
  switch (part) {
    case ListBarPart::kUpArrow:
      return PressListUp();
    case ListBarPart::kDownArrow:
      return PressListDown();
    case ListBarPart::kThumb:
      return DragListThumb(y);
    case ListBarPart::kPageUp:
      return PageList(-1);
    case ListBarPart::kPageDown:
      return PageList(+1);
    case ListBarPart::kNone:
      return;
  }
}

// The thumb position that shows list top, for a list longer than the visible rows.
int CMainDialog::ThumbPositionForTop() const {
  const int scrollable = state_.dayListCount - kListVisibleRows;
  const int span = kListTrackLength - state_.listThumbLength;
  if (scrollable <= 0) return state_.listThumbPosition;
  return std::min(span * state_.listTop / scrollable, span);
}

void CMainDialog::PressListUp() {
  const bool scrollable = state_.dayListCount > kListVisibleRows;
  state_.listTop = std::max(0, state_.listTop - 1);
  if (scrollable) state_.listThumbPosition = ThumbPositionForTop();
  DrawDayListNow(state_.listTop);
  DrawListBar(kLookFirstArrowPressed);
  state_.listHeld = 1;
  state_.listThumbHeld = false;
  platform_.TimedWait(kListRepeatDelayMs);
  while (state_.listHeld == 1) {
    if (state_.listTop - 1 < 0) {
      state_.listTop = 0;
      return;
    }
    --state_.listTop;
    if (state_.dayListCount > kListVisibleRows) state_.listThumbPosition = ThumbPositionForTop();
    DrawDayListNow(state_.listTop);
    DrawListBar(kLookFirstArrowPressed);
    platform_.PumpOneMessage();
    platform_.TimedWait(kListRepeatIntervalMs);
  }
}

void CMainDialog::PressListDown() {
  DrawListBar(kLookSecondArrowPressed);
  if (state_.dayListCount <= kListVisibleRows) return;
  state_.listTop = std::min(state_.listTop + 1, state_.dayListCount - kListVisibleRows);
  state_.listThumbPosition = ThumbPositionForTop();
  DrawDayListNow(state_.listTop);
  DrawListBar(kLookSecondArrowPressed);
  state_.listHeld = 1;
  state_.listThumbHeld = false;
  platform_.TimedWait(kListRepeatDelayMs);
  while (state_.listHeld == 1) {
    // A nested handler may have emptied the list meanwhile.
    const int lastTop = std::max(0, state_.dayListCount - kListVisibleRows);
    if (state_.listTop + 1 > lastTop) {
      state_.listTop = lastTop;
      return;
    }
    ++state_.listTop;
    state_.listThumbPosition = ThumbPositionForTop();
    DrawDayListNow(state_.listTop);
    DrawListBar(kLookSecondArrowPressed);
    platform_.PumpOneMessage();
    platform_.TimedWait(kListRepeatIntervalMs);
  }
}

void CMainDialog::SetListTopFromThumb() {
  const int scrollable = state_.dayListCount - kListVisibleRows;
  const int span = kListTrackLength - state_.listThumbLength;
  if (scrollable <= 0 || span <= 0) return;
  const int top = (scrollable * state_.listThumbPosition + span / 2) / span;
  state_.listTop = std::clamp(top, 0, scrollable);
}

// Redraws the list and its bar when the thumb or the first entry moved since the list was
// last drawn, so the rows on screen are always the ones a row press picks.
void CMainDialog::RedrawListIfMoved(int look) {
  if (state_.listDrawnThumbPosition == state_.listThumbPosition &&
      state_.listDrawnTop == state_.listTop) {
    return;
  }
  DrawDayListNow(state_.listTop);
  DrawListBar(look);
  state_.listDrawnThumbPosition = state_.listThumbPosition;
}

void CMainDialog::DragListThumb(int y) {
  DrawListBar(kLookThumbDragged);
  state_.listGrabY = ToControl(kListControl, 0, y).dy;
  state_.listHeld = 1;
  state_.listThumbHeld = true;
  do {
    SetListTopFromThumb();
    RedrawListIfMoved(kLookThumbDragged);
    platform_.PumpOneMessage();
  } while (state_.listHeld == 1);
  state_.listThumbHeld = false;
}

void CMainDialog::PageList(int direction) {
  if (state_.dayListCount <= kListVisibleRows) return;
  const int span = std::max(0, kListTrackLength - state_.listThumbLength);
  state_.listThumbPosition =
      std::clamp(state_.listThumbPosition + direction * state_.listThumbLength, 0, span);
  SetListTopFromThumb();
  RedrawListIfMoved(kLookNormal);
}

}  // namespace oxi
