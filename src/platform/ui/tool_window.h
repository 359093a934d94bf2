#pragma once
#include <string>
#include <vector>

#include "platform/gdi/scale.h"
#include "platform/ui/pointer_handlers.h"

namespace oxi {

// A rectangle of a tool window's client area, in its logical pixels.
struct ToolRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  constexpr bool Contains(int px, int py) const {
    return px >= x && py >= y && px < x + width && py < y + height;
  }
};

// What a host needs to open a tool window: a second window of the program beside the main
// one, whose whole client area is one surface the program draws, with a few real edit
// fields on it.
struct ToolWindowForm {
  std::string title;
  // Where the window's outer top left goes on the screen when it first opens.
  int x = 0;
  int y = 0;
  // The client area, the size of the surface; the user cannot resize it.
  int width = 0;
  int height = 0;
  // The edit fields, in the screen font, in the order Tab steps through them; they are
  // numbered in this order.
  std::vector<ToolRect> edits;
};

// What a tool window receives from the window system, in its client coordinates. Like the
// main window's handlers, these may run inside a loop of the main window that pumps
// messages, so they never pump themselves (a message box aside) and leave the main
// window's state alone.
class ToolWindowHandlers : public PointerHandlers {
 public:
  // Enter, whatever has the focus in the window.
  virtual void OnEnterKey() = 0;
  // Esc or the close box: the host hides the window once this returns.
  virtual void OnClose() = 0;
  // The window is shown at `scale` from now on (at first, or on a screen of another DPI):
  // its surface is to be drawn anew at it.
  virtual void OnScaleChanged(Scale scale) = 0;
};

// An open tool window as the program holds it. The host keeps it modeless and owned by the
// main window: above it, gone with it, the main window usable meanwhile. Destroying this
// object takes the window away; the program never does so from inside one of its handlers.
class ToolWindow {
 public:
  virtual ~ToolWindow() = default;
  // Shows the window, in front and active.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void SetTitle(const std::string& text) = 0;
  // The surface changed: show it now.
  virtual void Present() = 0;
  virtual std::string EditText(int field) = 0;
  virtual void SetEditText(int field, const std::string& text) = 0;
  // A message box with an OK button over this window; every window of the program waits
  // for it, as for any other box.
  virtual void ShowMessageBox(const std::string& text, const std::string& caption) = 0;
};

}  // namespace oxi
