#include "win32/about_dialog.h"

#include <algorithm>

#include "app/viewer_log.h"
#include "platform/fs/files.h"
#include "platform/text/text_format.h"
#include "res/build_info.h"
#include "res/texts.h"
#include "win32/dialog_place.h"
#include "win32/resource.h"
#include "win32/win32_text.h"

namespace oxi {
namespace {

// The lines that name paths, shown whole: the store may lie deep below the user's folders.
constexpr int kPathLines[] = {IDC_ABOUT_STORE, IDC_ABOUT_LOG};
// Room for the caret beside the text of a read-only edit line.
constexpr int kCaretPixels = 2;

int WidthOf(const RECT& r) {
  return r.right - r.left;
}

// How much wider than its template a path line must be to show its text whole in the face
// the system gave it.
int ExtraWidthNeeded(HWND line) {
  const std::wstring text = Wide(WindowTextUtf8(line));
  HDC dc = GetDC(line);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(line, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(line, dc);
  const auto margins = static_cast<DWORD>(SendMessageW(line, EM_GETMARGINS, 0, 0));
  RECT client;
  GetClientRect(line, &client);
  return size.cx + LOWORD(margins) + HIWORD(margins) + kCaretPixels - client.right;
}

void Widen(HWND window, int extra) {
  RECT r;
  GetWindowRect(window, &r);
  SetWindowPos(window, nullptr, 0, 0, WidthOf(r) + extra, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Widens the box and its path lines until the longest path shows whole (as far as the
// screen's work area allows; beyond that the line scrolls), the OK button staying at the
// right edge.
void WidenForPaths(HWND dialog) {
  int extra = 0;
  for (int id : kPathLines) extra = std::max(extra, ExtraWidthNeeded(GetDlgItem(dialog, id)));
  if (extra <= 0) return;
  RECT box;
  GetWindowRect(dialog, &box);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
  extra = std::min(extra, WidthOf(monitor.rcWork) - WidthOf(box));
  if (extra <= 0) return;
  Widen(dialog, extra);
  for (int id : kPathLines) Widen(GetDlgItem(dialog, id), extra);
  HWND ok = GetDlgItem(dialog, IDOK);
  RECT at;
  GetWindowRect(ok, &at);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&at), 2);
  SetWindowPos(ok, nullptr, at.left + extra, at.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* storeFolder = reinterpret_cast<const std::filesystem::path*>(lParam);
      SetWindowTextUtf8(dialog, texts::kProductTitle);
      SetDialogItemTextWidened(dialog, IDC_ABOUT_VERSION,
                               FormatText(texts::kProductVersionFormat, build::kVersion));
      SetDialogItemTextUtf8(dialog, IDC_ABOUT_STORE,
                            FormatText(texts::kAboutStoreFormat, PathToUtf8(*storeFolder).c_str()));
      SetDialogItemTextUtf8(
          dialog, IDC_ABOUT_LOG,
          FormatText(texts::kAboutLogFormat, PathToUtf8(ViewerLogFile(*storeFolder)).c_str()));
      SetDialogItemTextUtf8(dialog, IDOK, texts::kOk);
      WidenForPaths(dialog);
      CentreOnOwner(dialog);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void ShowAboutBox(HWND owner, const std::filesystem::path& storeFolder) {
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, AboutProc,
                  reinterpret_cast<LPARAM>(&storeFolder));
}

}  // namespace oxi
