#pragma once
#include <string>

#include "win32/windows_api.h"

namespace oxi {

// Centres a dialog or a box on the window that owns it, so that it comes up over the
// window it is about; one without an owner is centred on its monitor's work area. Either
// way it is kept inside that work area.
void CentreOnOwner(HWND window);

// MessageBoxW with the box centred on its owner; the system would centre it on the screen.
int CentredMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

}  // namespace oxi
