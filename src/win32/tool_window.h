#pragma once
#include <vector>

#include "app/host_input.h"
#include "platform/gdi/surface.h"
#include "platform/ui/tool_window.h"
#include "win32/windows_api.h"

namespace oxi {

// A tool window on the screen: a fixed popup with a caption and a close box, owned by the
// main window, whose client area shows one surface, with real edit fields on it. It turns
// the window messages into the tool window's handlers through the shared input rules.
// While it lives it is listed in `openWindows`, which the message loop asks first.
class Win32ToolWindow : public ToolWindow {
 public:
  Win32ToolWindow(const ToolWindowForm& form, const Surface& surface, ToolWindowHandlers& handlers,
                  HWND owner, std::vector<Win32ToolWindow*>& openWindows);
  ~Win32ToolWindow() override;
  Win32ToolWindow(const Win32ToolWindow&) = delete;
  Win32ToolWindow& operator=(const Win32ToolWindow&) = delete;

  void Show() override;
  void Hide() override;
  void SetTitle(const std::string& text) override;
  void Present() override;
  std::string EditText(int field) override;
  void SetEditText(int field, const std::string& text) override;
  void ShowMessageBox(const std::string& text, const std::string& caption) override;

  HWND Handle() const { return hwnd_; }
  HWND Edit(int field) const;
  // Enter and Esc whichever field has the focus, then the dialog keys (Tab between the
  // fields). True when `msg` was this window's and handled.
  bool PreTranslate(MSG& msg);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Layout(Scale scale);
  void Paint();
  void KeepFocus(bool active);
  void Close();

  const ToolWindowForm form_;
  const Surface& surface_;
  ToolInput input_;
  std::vector<Win32ToolWindow*>& openWindows_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  std::vector<HWND> edits_;
  HWND focus_ = nullptr;  // the field to give the focus back to
};

}  // namespace oxi
