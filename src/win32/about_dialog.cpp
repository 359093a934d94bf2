#include "win32/about_dialog.h"

#include "res/texts.h"
#include "win32/resource.h"
#include "win32/win32_text.h"

namespace oxi {
namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowTextUtf8(dialog, texts::kProductTitle);
      SetDialogItemTextUtf8(dialog, IDC_ABOUT_VERSION, texts::kProductVersion);
      SetDialogItemTextUtf8(dialog, IDOK, texts::kOk);
      return TRUE;
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

void ShowAboutBox(HWND owner) {
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, AboutProc, 0);
}

}  // namespace oxi
