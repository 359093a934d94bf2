#pragma once
#include <functional>
#include <string>

#include "app/host_input.h"
#include "win32/windows_api.h"

// What both Win32 windows (the main window, a tool window) read from the window messages
// and hand the shared input rules.
namespace oxi {

// The key of a WM_KEYDOWN as the input rules read it.
KeyPress ReadKey(const MSG& msg);

// A message of `window` or its controls offered to the window's key rules before any
// control (`rules` reads a key down; `end` closes the window, for Esc), then to the dialog
// keys (Tab between the controls). True when it was the window's and handled.
bool PreTranslateKeys(HWND window, MSG& msg,
                      const std::function<KeyOutcome(const KeyPress&)>& rules,
                      const std::function<void()>& end);

// A pointer message of `window` (WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK,
// WM_LBUTTONUP), in its client coordinates. The pointer is captured while the left button
// is held, so that the release comes back to the window wherever it happens.
void DeliverPointer(HWND window, PointerInput& input, UINT message, LPARAM lParam);
// Lets go of the pointer, as before the window goes.
void ReleasePointer(HWND window);

// A message box with a plain OK over `owner`, as the system shows it: no icon. Every window
// of the program waits for it, not its owner alone.
void RunMessageBox(HWND owner, const std::string& text, const std::string& caption);

}  // namespace oxi
