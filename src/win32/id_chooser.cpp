#include "win32/id_chooser.h"

#include "res/texts.h"
#include "win32/dialog_place.h"
#include "win32/resource.h"
#include "win32/win32_text.h"

namespace oxi {
namespace {

INT_PTR CALLBACK IdChooserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    SetWindowTextUtf8(dialog, texts::kIdDialogCaption);
    SetDialogItemTextWidened(dialog, IDC_DEVICE_PROMPT, texts::kIdDialogPrompt);
    SetDialogItemTextUtf8(dialog, IDOK, texts::kOk);
    SetDialogItemTextUtf8(dialog, IDCANCEL, texts::kCancel);
    CentreOnOwner(dialog);
    return TRUE;  // the focus goes to OK, the template's first control that takes it
  }
  auto* handlers = reinterpret_cast<IdDialogHandlers*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!handlers) return FALSE;
  Win32ComboBox combo(GetDlgItem(dialog, IDC_DEVICE_COMBO));
  switch (message) {
    case WM_SHOWWINDOW:
      // Filled each time the program shows the window, not when the window system merely
      // shows it again (a parent restored, ...).
      if (wParam && lParam == 0) handlers->OnShowWindow(combo);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_DEVICE_COMBO) {
        if (HIWORD(wParam) == CBN_SELCHANGE) handlers->OnSelChange(combo);
        if (HIWORD(wParam) == CBN_CLOSEUP) handlers->OnCloseUp(combo);
        return TRUE;
      }
      // OK, Esc and the close box all end it; the handlers have taken the choice.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void Win32ComboBox::ResetContent() {
  SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
}

void Win32ComboBox::AddString(const std::string& text) {
  const std::wstring wide = Wide(text);
  SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32ComboBox::SetCurSel(int index) {
  SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string Win32ComboBox::WindowText() const {
  return WindowTextUtf8(combo_);
}

void RunIdChooser(IdDialogHandlers& handlers) {
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ID_DIALOG), nullptr,
                  IdChooserProc, reinterpret_cast<LPARAM>(&handlers));
}

}  // namespace oxi
