#pragma once
#include <string>
#include <string_view>

#include "win32/windows_api.h"

namespace oxi {

// The program's texts are UTF-8; the window system's are UTF-16.
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// A window's text (a control's content, a caption) as UTF-8, and set from UTF-8.
std::string WindowTextUtf8(HWND window);
void SetWindowTextUtf8(HWND window, std::string_view utf8);
// The same for a control of a dialog.
void SetDialogItemTextUtf8(HWND dialog, int id, std::string_view utf8);
// Sets a static's text and widens the static, from its left edge, when the text needs more
// room in the face the system gave it than the template's width: a face wider than the
// one the layout was made for would otherwise cut or wrap the text.
void SetDialogItemTextWidened(HWND dialog, int id, std::string_view utf8);

}  // namespace oxi
