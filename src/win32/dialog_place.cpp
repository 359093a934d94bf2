#include "win32/dialog_place.h"

#include <algorithm>

namespace oxi {
namespace {

int Width(const RECT& r) {
  return r.right - r.left;
}
int Height(const RECT& r) {
  return r.bottom - r.top;
}

// A start that centres `length` on the span [from, from + span), kept inside [low, high).
int CentredStart(int from, int span, int length, int low, int high) {
  const int start = from + (span - length) / 2;
  return std::max(low, std::min(start, high - length));
}

RECT WorkAreaOf(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  return monitor.rcWork;
}

// The box a message box call opens is the first window activated after it; the hook
// centres it then, before it is drawn, and unhooks itself.
thread_local HHOOK boxHook = nullptr;

LRESULT CALLBACK CentreBoxWhenActivated(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = CallNextHookEx(boxHook, code, wParam, lParam);
  if (code == HCBT_ACTIVATE && boxHook) {
    UnhookWindowsHookEx(boxHook);
    boxHook = nullptr;
    CentreOnOwner(reinterpret_cast<HWND>(wParam));
  }
  return next;
}

}  // namespace

void CentreOnOwner(HWND window) {
  HWND owner = GetWindow(window, GW_OWNER);
  const RECT work = WorkAreaOf(owner ? owner : window);
  RECT around = work;
  if (owner) GetWindowRect(owner, &around);
  RECT self;
  GetWindowRect(window, &self);
  const int x = CentredStart(around.left, Width(around), Width(self), work.left, work.right);
  const int y = CentredStart(around.top, Height(around), Height(self), work.top, work.bottom);
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CentredMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                      UINT type) {
  if (owner) {
    boxHook = SetWindowsHookExW(WH_CBT, CentreBoxWhenActivated, nullptr, GetCurrentThreadId());
  }
  const int answer = MessageBoxW(owner, text.c_str(), caption.c_str(), type);
  // A box that failed to open leaves its hook behind.
  if (boxHook) {
    UnhookWindowsHookEx(boxHook);
    boxHook = nullptr;
  }
  return answer;
}

}  // namespace oxi
