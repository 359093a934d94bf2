#pragma once
#include <memory>
#include <vector>

#include "platform/ui/clock.h"
#include "platform/ui/platform.h"
#include "platform/ui/pump_pacing.h"
#include "win32/windows_api.h"

namespace oxi {

class CDLDialog;
class MainWindow;
class Win32ToolWindow;

// The window system's services for the main screen, on plain Win32: the thread's message
// queue, waiting on it, the system's dialogs, the dialogs of our templates, and the main
// window's surfaces and edit field.
class Win32Platform : public Platform {
 public:
  explicit Win32Platform(Clock& clock);
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // The main window; the download dialog is created with it as its owner. Called once the
  // window exists, before the handlers start using the platform.
  void AttachWindow(MainWindow& window);
  // Dispatches the thread's messages until the main window has ended.
  void RunUntilEnded();

  void PumpOneMessage() override;
  void TimedWait(int ticks) override;
  Clock& GetClock() override { return clock_; }
  LocalTime Now() override;

  void ShowMessageBox(const std::string& text, const std::string& caption) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  void RunIdDialog(IdDialogHandlers& handlers) override;
  // The shell's folder browser.
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& initial) override;
  std::optional<SaveFileChoice> ChooseSaveFile(const std::string& proposedName,
                                               const std::vector<SaveFileType>& types) override;
  std::unique_ptr<PageDc> ShowPrintDialog(const std::string& documentName) override;
  ProgressDialog& DownloadDialog() override;

  std::string WindowEditText() override;
  void SetWindowEditText(const std::string& text) override;

  void Present(SurfaceId id) override;
  std::optional<int> ShownFaceWidth() override;
  // A tool window owned by the main window; its keys pass through the loop's PreTranslate.
  std::unique_ptr<ToolWindow> CreateToolWindow(const ToolWindowForm& form, const Surface& surface,
                                               ToolWindowHandlers& handlers) override;
  // The text as CF_UNICODETEXT, its lines ending in CR LF as Windows' text does.
  bool SetClipboardText(const std::string& text) override;
  std::string ApplicationName() override;

 private:
  // Waits up to `waitMs` for a message of the thread, then dispatches at most one.
  void PumpOne(int waitMs);
  void Dispatch(MSG& msg);
  // The owner of the boxes and dialogs the program opens.
  HWND Owner() const;

  Clock& clock_;
  MainWindow* window_ = nullptr;
  std::unique_ptr<CDLDialog> progress_;
  std::vector<Win32ToolWindow*> toolWindows_;  // the live ones, each listing itself
  PumpPacing pacing_;
};

}  // namespace oxi
