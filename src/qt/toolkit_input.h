#pragma once
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRect>
#include <QWidget>
#include <string>

#include "app/host_input.h"
#include "app/screen_layout.h"
#include "platform/ui/tool_window.h"

// What both Qt windows (the main window, a tool window) read from Qt's events and hand the
// shared input rules, and the pieces they are built of.
namespace oxi {

// The key as the input rules read it.
KeyPress ReadKey(const QKeyEvent& key);
// A key press of `window` or its fields put to the window's input rules: true when the
// rules took it (Esc closes `window` as its close box would); false leaves it to the field.
template <typename Rules>
bool DeliverKey(Rules& input, QWidget& window, const QEvent& event) {
  switch (input.Key(ReadKey(static_cast<const QKeyEvent&>(event)))) {
    case KeyOutcome::kPass:
      return false;
    case KeyOutcome::kTaken:
      return true;
    case KeyOutcome::kEndWindow:
      window.close();
      return true;
  }
  return false;
}
// A mouse event of a window's client area, handed to the shared pointer rules in the
// client's pixels at the window's scale: every move, and the left button's press, double
// click and release.
void DeliverPointer(PointerInput& input, const QMouseEvent& event);

QRect ToQRect(const ControlRect& r);
QRect ToQRect(const ToolRect& r);

// A message box with a plain OK over `owner` (none: over nothing), as the boxes of the
// window system show it: no icon from the style. It waits for the user.
void RunMessageBox(QWidget* owner, const std::string& text, const std::string& caption);
// The same with Yes and No, Yes the default: true for Yes.
bool RunYesNoBox(QWidget* owner, const std::string& text, const std::string& caption);

}  // namespace oxi
