#include "win32/win32_text.h"

#include "platform/text/utf16.h"

namespace oxi {

std::wstring Wide(std::string_view utf8) {
  return Utf16FromUtf8<wchar_t>(utf8);
}

std::string Utf8(std::wstring_view wide) {
  return Utf8FromUtf16(wide);
}

std::string WindowTextUtf8(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return Utf8(text);
}

void SetWindowTextUtf8(HWND window, std::string_view utf8) {
  SetWindowTextW(window, Wide(utf8).c_str());
}

void SetDialogItemTextUtf8(HWND dialog, int id, std::string_view utf8) {
  SetDlgItemTextW(dialog, id, Wide(utf8).c_str());
}

void SetDialogItemTextWidened(HWND dialog, int id, std::string_view utf8) {
  HWND control = GetDlgItem(dialog, id);
  const std::wstring text = Wide(utf8);
  SetWindowTextW(control, text.c_str());
  HDC dc = GetDC(control);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE needed{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &needed);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  RECT area;
  GetWindowRect(control, &area);
  if (needed.cx <= area.right - area.left) return;
  SetWindowPos(control, nullptr, 0, 0, needed.cx, area.bottom - area.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace oxi
