#pragma once
#include "app/screen_state.h"
#include "platform/gdi/dc.h"

namespace oxi {

// The drawn command buttons and spin arrows. A button code is 10 * control + look.
enum ButtonControl {
  kDownloadButton = 3,
  kPrintButton = 4,
  kSaveButton = 7,
  kSpinUpButton = 8,
  kSpinDownButton = 9,
};
// Every button control, in the order the full repaint draws them.
inline constexpr int kButtonControls[] = {kDownloadButton, kPrintButton, kSaveButton, kSpinUpButton,
                                          kSpinDownButton};

constexpr int ButtonCode(int control, int look) {
  return 10 * control + look;
}
constexpr int ButtonControlOf(int code) {
  return code / 10;
}
constexpr int ButtonLookOf(int code) {
  return code % 10;
}

// Where a button lies on the window, inclusive edges of its outline.
struct ButtonRect {
  int left;
  int top;
  int right;
  int bottom;
};
inline constexpr int kCommandButtonTop = 18;
inline constexpr int kCommandButtonBottom = 48;
inline constexpr ButtonRect kDownloadRect = {755, kCommandButtonTop, 825, kCommandButtonBottom};
inline constexpr ButtonRect kPrintRect = {834, kCommandButtonTop, 904, kCommandButtonBottom};
inline constexpr ButtonRect kSaveRect = {913, kCommandButtonTop, 983, kCommandButtonBottom};
inline constexpr int kSpinLeft = 885;
inline constexpr int kSpinRight = 903;
inline constexpr ButtonRect kSpinUpRect = {kSpinLeft, 570, kSpinRight, 582};
inline constexpr ButtonRect kSpinDownRect = {kSpinLeft, 584, kSpinRight, 596};

// The rectangle of a button control (kDownloadButton .. kSpinDownButton).
const ButtonRect& ButtonRectOf(int control);

// Draws button `code` on the window face; codes other than the five controls' three looks
// draw nothing.
void DrawButton(Dc& face, int code);

}  // namespace oxi
