#pragma once
#include <QPointer>

#include "platform/ui/clock.h"
#include "platform/ui/platform.h"
#include "platform/ui/pump_pacing.h"

namespace oxi {

class CDLDialog;
class HostWindow;

// The window system's services for the main screen, on Qt: message dispatch, waiting,
// the real dialogs, and the main window's surfaces and edit field.
class QtPlatform : public Platform {
 public:
  explicit QtPlatform(Clock& clock);
  ~QtPlatform() override;
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  // The main window; the download dialog is created with it as its owner. Called once,
  // before the handlers start using the platform.
  void AttachWindow(HostWindow& window);

  void PumpOneMessage() override;
  void TimedWait(int ticks) override;
  Clock& GetClock() override { return clock_; }
  LocalTime Now() override;

  void ShowMessageBox(const std::string& text, const std::string& caption) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  void RunIdDialog(IdDialogHandlers& handlers) override;
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& initial) override;
  std::optional<SaveFileChoice> ChooseSaveFile(const std::string& proposedName,
                                               const std::vector<SaveFileType>& types) override;
  std::unique_ptr<PageDc> ShowPrintDialog(const std::string& documentName) override;
  ProgressDialog& DownloadDialog() override;

  std::string WindowEditText() override;
  void SetWindowEditText(const std::string& text) override;

  void Present(SurfaceId id) override;
  // A tool window owned by the main window.
  std::unique_ptr<ToolWindow> CreateToolWindow(const ToolWindowForm& form, const Surface& surface,
                                               ToolWindowHandlers& handlers) override;
  bool SetClipboardText(const std::string& text) override;
  std::string ApplicationName() override;

 private:
  Clock& clock_;
  QPointer<HostWindow> window_;
  // Owned by the main window once attached; deleted here only if it never was.
  QPointer<CDLDialog> progress_;
  PumpPacing pacing_;
};

}  // namespace oxi
