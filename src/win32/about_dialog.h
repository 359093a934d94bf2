#pragma once
#include "win32/windows_api.h"

namespace oxi {

// The about box (template IDD_ABOUTBOX): the application icon, the product name with its
// version, and OK. Runs modally over `owner`.
void ShowAboutBox(HWND owner);

}  // namespace oxi
