#pragma once
#include <filesystem>

#include "win32/windows_api.h"

namespace oxi {

// The about box (template IDD_ABOUTBOX): the application icon, the product name with its
// version, the store's folder and the window's log file in it (selectable, scrolled when
// long) and OK. Runs modally over `owner`.
void ShowAboutBox(HWND owner, const std::filesystem::path& storeFolder);

}  // namespace oxi
