#include "win32/download_dialog.h"

#include <commctrl.h>

#include "app/host_layout.h"
#include "res/texts.h"
#include "win32/resource.h"
#include "win32/win32_text.h"

namespace oxi {

// The template's OK and Cancel stay hidden, so the Enter and Esc they would answer do
// nothing; only the visible Cancel button and the close box ask the download to stop.
INT_PTR CALLBACK CDLDialog::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    return TRUE;
  }
  auto* self = reinterpret_cast<CDLDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  switch (message) {
    case WM_COMMAND:
      if (self && LOWORD(wParam) == IDC_PROGRESS_STOP && HIWORD(wParam) == BN_CLICKED) {
        self->RequestCancel();
      }
      return TRUE;
    // The close box: the window stays until the download hides it.
    case WM_CLOSE:
      if (self) self->RequestCancel();
      return TRUE;
    default:
      return FALSE;
  }
}

CDLDialog::CDLDialog(HWND owner)
    : hwnd_(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PROGRESS), owner,
                               Proc, reinterpret_cast<LPARAM>(this))) {
  if (!hwnd_) return;
  SetWindowTextUtf8(hwnd_, texts::kDownloadDialogCaption);
  SetDialogItemTextUtf8(hwnd_, IDOK, texts::kOk);
  SetDialogItemTextUtf8(hwnd_, IDCANCEL, texts::kCancel);
  SetDialogItemTextUtf8(hwnd_, IDC_PROGRESS_STOP, texts::kCancel);
  SetDialogItemTextWidened(hwnd_, IDC_PROGRESS_STATUS, texts::kDownloading);
  SetDialogItemTextUtf8(hwnd_, IDC_PROGRESS_PERCENT, texts::kInitialPercent);
  SendDlgItemMessageW(hwnd_, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, kProgressBarMaximum);
  // Positioned once: a window that has been moved is not put back when shown again.
  const ControlRect r = host::DeviceRect(host::kProgressWindowRect,
                                         Scale::FromDpi(static_cast<int>(GetDpiForWindow(hwnd_))));
  SetWindowPos(hwnd_, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

CDLDialog::~CDLDialog() {
  if (hwnd_) DestroyWindow(hwnd_);
}

// On the screen when Show returns: the download then reads the converter without
// dispatching anything.
void CDLDialog::Show() {
  cancel_.Shown();
  EnableStop();
  ShowWindow(hwnd_, SW_SHOW);
  Repaint();
}

void CDLDialog::Hide() {
  ShowWindow(hwnd_, SW_HIDE);
}

void CDLDialog::SetBar(int percent) {
  SendDlgItemMessageW(hwnd_, IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void CDLDialog::SetStatus(const std::string& text) {
  SetDialogItemTextWidened(hwnd_, IDC_PROGRESS_STATUS, text);
}

void CDLDialog::SetPercentText(const std::string& text) {
  SetDialogItemTextUtf8(hwnd_, IDC_PROGRESS_PERCENT, text);
}

void CDLDialog::Repaint() {
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CDLDialog::SetCancellable(bool cancellable) {
  cancel_.SetCancellable(cancellable);
  EnableStop();
}

void CDLDialog::RequestCancel() {
  cancel_.Request();
  EnableStop();
}

void CDLDialog::EnableStop() {
  EnableWindow(GetDlgItem(hwnd_, IDC_PROGRESS_STOP), cancel_.ButtonEnabled());
}

bool CDLDialog::PreTranslate(MSG& msg) {
  if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
  // Enter would press the Cancel button when it has the focus: it must not stop a download.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) return true;
  return IsDialogMessageW(hwnd_, &msg) != FALSE;
}

}  // namespace oxi
