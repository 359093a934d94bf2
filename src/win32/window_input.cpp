#include "win32/window_input.h"

#include <windowsx.h>

#include <vector>

#include "win32/dialog_place.h"
#include "win32/win32_text.h"

namespace oxi {
namespace {

// A key message whose key was already down: an auto-repeat.
constexpr LPARAM kKeyRepeatBit = LPARAM{1} << 30;

bool KeyHeld(int key) {
  return GetKeyState(key) < 0;
}

}  // namespace

KeyPress ReadKey(const MSG& msg) {
  KeyPress key;
  key.controlOnly = KeyHeld(VK_CONTROL) && !KeyHeld(VK_SHIFT) && !KeyHeld(VK_MENU);
  key.repeat = (msg.lParam & kKeyRepeatBit) != 0;
  if (msg.wParam == VK_RETURN) {
    key.kind = KeyPress::Kind::kEnter;
  } else if (msg.wParam == VK_ESCAPE) {
    key.kind = KeyPress::Kind::kEscape;
  } else if (msg.wParam >= 'A' && msg.wParam <= 'Z') {
    // The letter keys' virtual-key codes are their upper-case characters.
    key.kind = KeyPress::Kind::kLetter;
    key.letter = static_cast<char>(msg.wParam);
  }
  return key;
}

bool PreTranslateKeys(HWND window, MSG& msg,
                      const std::function<KeyOutcome(const KeyPress&)>& rules,
                      const std::function<void()>& end) {
  if (!window || (msg.hwnd != window && !IsChild(window, msg.hwnd))) return false;
  if (msg.message == WM_KEYDOWN) {
    switch (rules(ReadKey(msg))) {
      case KeyOutcome::kPass:
        break;
      case KeyOutcome::kTaken:
        return true;
      case KeyOutcome::kEndWindow:
        end();
        return true;
    }
  }
  return IsDialogMessageW(window, &msg) != FALSE;
}

void DeliverPointer(HWND window, PointerInput& input, UINT message, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_MOUSEMOVE:
      input.PointerMove(x, y);
      break;
    case WM_LBUTTONDOWN:
      SetCapture(window);
      input.LeftDown(x, y);
      break;
    case WM_LBUTTONDBLCLK:
      SetCapture(window);
      input.LeftDoubleClick(x, y);
      break;
    case WM_LBUTTONUP:
      ReleasePointer(window);
      input.LeftUp(x, y);
      break;
    default:
      break;
  }
}

void ReleasePointer(HWND window) {
  if (GetCapture() == window) ReleaseCapture();
}

void RunMessageBox(HWND owner, const std::string& text, const std::string& caption) {
  // The box disables its owner itself; the program's other windows (the main window under
  // a tool window's box, a tool window under the main window's) are disabled here, and
  // enabled again afterwards, so that the box waits for the user as Qt's boxes do.
  struct Others {
    HWND owner;
    std::vector<HWND> disabled;
  } others{owner, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM context) {
        auto& o = *reinterpret_cast<Others*>(context);
        if (window != o.owner && IsWindowVisible(window) && IsWindowEnabled(window)) {
          EnableWindow(window, FALSE);
          o.disabled.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&others));
  // A plain OK, without an icon.
  CentredMessageBox(owner, Wide(text), Wide(caption), MB_OK);
  for (HWND window : others.disabled) EnableWindow(window, TRUE);
}

}  // namespace oxi
