#include "win32/windows_api.h"
// After windows.h: the common dialogs.
#include <commdlg.h>

#include <string>

#include "win32/win32_platform.h"
#include "win32/win32_text.h"

namespace oxi {
namespace {

// Longest path the chooser may return; Windows paths may exceed MAX_PATH.
constexpr DWORD kPathChars = 32768;

// The chooser's list of types: for each, the text the user reads and the pattern of its
// extension, each ended by a NUL; the string's own terminator ends the list.
std::wstring FilterList(const std::vector<SaveFileType>& types) {
  std::wstring list;
  for (const SaveFileType& type : types) {
    list += Wide(type.text);
    list += L'\0';
    list += Wide("*." + type.extension);
    list += L'\0';
  }
  return list;
}

}  // namespace

std::optional<SaveFileChoice> Win32Platform::ChooseSaveFile(
    const std::string& proposedName, const std::vector<SaveFileType>& types) {
  if (types.empty()) return std::nullopt;
  std::wstring path = Wide(proposedName);
  path.resize(kPathChars, L'\0');
  const std::wstring filters = FilterList(types);
  const std::wstring extension = Wide(types.front().extension);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Owner();
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = kPathChars;
  // A name typed without an extension gets the extension of the type chosen in the list
  // (the dialog takes it from the type's pattern once a default extension is given).
  ofn.lpstrDefExt = extension.c_str();
  // The store's folders are absolute: the chooser must not move the working folder.
  ofn.Flags =
      OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&ofn)) return std::nullopt;
  path.resize(path.find(L'\0'));
  const std::size_t chosen =
      ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= types.size() ? ofn.nFilterIndex - 1 : 0;
  return SaveFileChoice{Utf8(path), chosen};
}

}  // namespace oxi
