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

// The chooser's filter list for one filter written as the program writes it, a description
// with its pattern in parentheses ("csv(*.csv)"): the description, then the pattern, each
// ended by a NUL, and a NUL that ends the list.
std::wstring FilterList(const std::string& filter) {
  const std::size_t open = filter.rfind('(');
  const std::size_t close = filter.rfind(')');
  const bool hasPattern = open != std::string::npos && close != std::string::npos && close > open;
  const std::string pattern = hasPattern ? filter.substr(open + 1, close - open - 1) : "*.*";
  std::wstring list = Wide(filter);
  list += L'\0';
  list += Wide(pattern);
  list += L'\0';
  return list;  // the string's own terminator ends the list
}

}  // namespace

std::optional<std::string> Win32Platform::ChooseSaveFile(const std::string& proposedName,
                                                         const std::string& defaultExtension,
                                                         const std::string& filter) {
  std::wstring path = Wide(proposedName);
  path.resize(kPathChars, L'\0');
  const std::wstring filters = FilterList(filter);
  const std::wstring extension = Wide(defaultExtension);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Owner();
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = kPathChars;
  ofn.lpstrDefExt = extension.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&ofn)) return std::nullopt;
  path.resize(path.find(L'\0'));
  return Utf8(path);
}

}  // namespace oxi
