#pragma once
#include <chrono>
#include <functional>
#include <string>

#include "platform/host_test_support.h"
#include "platform/ui/clock.h"
#include "win32/dialog_controls.h"
#include "win32/main_window.h"
#include "win32/win32_platform.h"
#include "win32/win32_text.h"

namespace oxi::testing {

// Pumps through the platform until `done` holds or `ms` have passed; whether it held.
inline bool PumpUntil(Win32Platform& platform, const std::function<bool()>& done, int ms = 3000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    platform.TimedWait(5);
  }
  return true;
}

// Where a control lies in its parent's client area.
inline RECT ClientRectOf(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

inline bool Equal(const RECT& r, const ControlRect& expected) {
  return r.left == expected.x && r.top == expected.y && r.right - r.left == expected.width &&
         r.bottom - r.top == expected.height;
}

// Pointer input as the window system delivers it: the cursor put at a client point of a
// window, then buttons.
inline void MouseAt(HWND window, int x, int y) {
  POINT at{x, y};
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dwFlags = MOUSEEVENTF_MOVE;  // a move of nothing, so that a move message comes
  SendInput(1, &move, sizeof move);
}
inline void Button(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

inline void PostKey(HWND to, WPARAM key) {
  PostMessageW(to, WM_KEYDOWN, key, 1);
  PostMessageW(to, WM_KEYUP, key, 1 | (LPARAM{3} << 30));
}

// Plays `act` from inside whatever modal loop comes next (a dialog box, a message box, a
// common dialog), through a thread timer that loop dispatches: every 50 ms until `act`
// says it has done its part (the window it looks for may not be shown yet).
class InsideModalLoop {
 public:
  explicit InsideModalLoop(std::function<bool()> act) : id_(SetTimer(nullptr, 0, 50, Fire)) {
    Pending() = std::move(act);
  }
  ~InsideModalLoop() {
    KillTimer(nullptr, id_);
    Pending() = nullptr;
  }
  InsideModalLoop(const InsideModalLoop&) = delete;
  InsideModalLoop& operator=(const InsideModalLoop&) = delete;

 private:
  static std::function<bool()>& Pending() {
    static std::function<bool()> pending;
    return pending;
  }
  static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
    std::function<bool()> act = Pending();
    if (!act || act()) {
      KillTimer(nullptr, id);
      Pending() = nullptr;
    }
  }
  UINT_PTR id_;
};

// The shown dialog window with that caption (a dialog box, a message box); nullptr while
// there is none.
inline HWND DialogCaptioned(const std::string& caption) {
  HWND dialog = FindWindowW(L"#32770", Wide(caption).c_str());
  return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

// The first visible dialog window of this thread (a common dialog, whose caption depends
// on the system's language).
inline HWND ThreadDialog() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (!IsWindowVisible(window) || std::wstring(name) != L"#32770") return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The main window over recording handlers and blank surfaces, created and attached to a
// platform on the system clock.
struct WindowUnderTest {
  WindowUnderTest() {
    RegisterDialogControls();
    created = window.Create([this] { platform.AttachWindow(window); });
  }

  RecordingHandlers handlers;
  TestSurfaces surfaces;
  SystemClock clock;
  Win32Platform platform{clock};
  MainWindow window{handlers, surfaces.Pointers()};
  bool created = false;
};

}  // namespace oxi::testing
