#pragma once
#include <string>

#include "app/host_input.h"
#include "platform/ui/platform.h"
#include "win32/windows_api.h"

namespace oxi {

// The download-progress window (template IDD_PROGRESS): modeless, owned by the main window,
// hidden until the download shows it. Its Cancel button and its close box ask the download
// to stop (it looks after every sector); the window itself goes away only when the download
// hides it, and comes back intact for the next one. Esc and Enter do nothing.
class CDLDialog : public ProgressDialog {
 public:
  // Creates the hidden window at its place on the screen.
  explicit CDLDialog(HWND owner);
  ~CDLDialog() override;
  CDLDialog(const CDLDialog&) = delete;
  CDLDialog& operator=(const CDLDialog&) = delete;

  void Show() override;
  void Hide() override;
  void SetBar(int percent) override;
  void SetStatus(const std::string& text) override;
  void SetPercentText(const std::string& text) override;
  void Repaint() override;
  bool CancelRequested() override { return cancel_.Requested(); }
  void SetCancellable(bool cancellable) override;

  HWND Handle() const { return hwnd_; }
  // The dialog keys of the window's controls. True when `msg` was handled.
  bool PreTranslate(MSG& msg);

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void RequestCancel();
  void EnableStop();

  HWND hwnd_ = nullptr;
  ProgressCancel cancel_;
};

}  // namespace oxi
