#include "win32/windows_api.h"
// After windows.h: the shell's folder browser and COM, which its newer look needs.
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "win32/dialog_place.h"
#include "win32/win32_platform.h"
#include "win32/win32_text.h"

namespace oxi {
namespace {

// Opens the browser at the folder chosen last (lpData), once it has a window.
int CALLBACK SelectInitial(HWND browser, UINT message, LPARAM, LPARAM initial) {
  if (message == BFFM_INITIALIZED && initial != 0) {
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, initial);
  }
  return 0;
}

}  // namespace

bool Win32Platform::AskYesNo(const std::string& text, const std::string& caption) {
  // Without an icon, as the program's other boxes.
  return CentredMessageBox(Owner(), Wide(text), Wide(caption), MB_YESNO) == IDYES;
}

std::optional<std::string> Win32Platform::ChooseFolder(const std::string& title,
                                                       const std::string& initial) {
  // The browser with a "make new folder" button needs COM on this thread; a thread that
  // has it already keeps it (S_FALSE is balanced by CoUninitialize as well).
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const std::wstring wideTitle = Wide(title);
  const std::wstring wideInitial = Wide(initial);
  BROWSEINFOW info{};
  info.hwndOwner = Owner();
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = SelectInitial;
  info.lParam = initial.empty() ? 0 : reinterpret_cast<LPARAM>(wideInitial.c_str());
  std::optional<std::string> chosen;
  if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info)) {
    wchar_t path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(item, path)) chosen = Utf8(path);
    CoTaskMemFree(item);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}

}  // namespace oxi
