#include "win32/download_dialog.h"

#include <commctrl.h>

#include "app/host_layout.h"
#include "res/texts.h"
#include "win32/resource.h"
#include "win32/win32_text.h"

namespace oxi {
namespace {

// OK and Cancel stay hidden; the keys that would press them do nothing.
INT_PTR CALLBACK ProgressProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG || message == WM_COMMAND;
}

}  // namespace

CDLDialog::CDLDialog(HWND owner)
    : hwnd_(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PROGRESS), owner,
                               ProgressProc, 0)) {
  if (!hwnd_) return;
  SetWindowTextUtf8(hwnd_, texts::kDownloadDialogCaption);
  SetDialogItemTextUtf8(hwnd_, IDOK, texts::kOk);
  SetDialogItemTextUtf8(hwnd_, IDCANCEL, texts::kCancel);
  SetDialogItemTextWidened(hwnd_, IDC_PROGRESS_STATUS, texts::kDownloading);
  SetDialogItemTextUtf8(hwnd_, IDC_PROGRESS_PERCENT, texts::kInitialPercent);
  SendDlgItemMessageW(hwnd_, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, kProgressBarMaximum);
  // Positioned once: a window that has been moved is not put back when shown again.
  const ControlRect& r = host::kProgressWindowRect;
  SetWindowPos(hwnd_, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

CDLDialog::~CDLDialog() {
  if (hwnd_) DestroyWindow(hwnd_);
}

// On the screen when Show returns: the download then reads the converter without
// dispatching anything.
void CDLDialog::Show() {
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

bool CDLDialog::PreTranslate(MSG& msg) {
  return hwnd_ && IsDialogMessageW(hwnd_, &msg) != FALSE;
}

}  // namespace oxi
