#pragma once
#include <cstdio>
#include <string>

#include "platform/ui/clock.h"
#include "platform/ui/platform.h"

namespace oxi::cli {

// The download dialog as a line on the terminal: status, a bar and the percentage,
// redrawn in place on a terminal and written as a new line when it changes otherwise.
class TerminalProgress : public ProgressDialog {
 public:
  explicit TerminalProgress(std::FILE* out);
  void Show() override { visible_ = true; }
  void Hide() override;
  void SetBar(int percent) override { bar_ = percent; }
  void SetStatus(const std::string& text) override { status_ = text; }
  void SetPercentText(const std::string& text) override { percent_ = text; }
  void Repaint() override;
  // Ctrl-C, once CatchInterrupt has been called; a process downloads once, so it is never
  // forgotten.
  bool CancelRequested() override;
  void SetCancellable(bool) override {}
  // Ends the line the bar is drawn on, so that other output starts on a line of its own.
  void BreakLine();

 private:
  std::string RenderBar() const;

  std::FILE* out_;
  bool terminal_;
  bool visible_ = false;
  int bar_ = 0;
  std::string status_;  // the dialog's texts before a download sets them
  std::string percent_;
  std::string drawn_;      // what was drawn last
  bool lineOpen_ = false;  // the cursor stands at the end of the bar's line
};

// The window system of oxitool: message boxes on stderr, the download dialog as a bar on
// the terminal, no window messages to dispatch (a timed wait just sleeps), the device-ID
// chooser takes its first entry, the other choosers answer "cancelled", and there are no
// tool windows and no clipboard.
class ConsolePlatform : public Platform {
 public:
  explicit ConsolePlatform(std::FILE* out = stderr);

  void PumpOneMessage() override {}
  void TimedWait(int ticks) override { clock_.SleepMs(ticks); }
  Clock& GetClock() override { return clock_; }
  LocalTime Now() override;
  void ShowMessageBox(const std::string& text, const std::string& caption) override;
  void RunIdDialog(IdDialogHandlers& handlers) override;
  std::optional<SaveFileChoice> ChooseSaveFile(const std::string&,
                                               const std::vector<SaveFileType>&) override {
    return std::nullopt;
  }
  std::unique_ptr<PageDc> ShowPrintDialog(const std::string&) override { return nullptr; }
  ProgressDialog& DownloadDialog() override { return progress_; }
  std::string WindowEditText() override { return editText_; }
  void SetWindowEditText(const std::string& text) override { editText_ = text; }
  void Present(SurfaceId) override {}
  std::unique_ptr<ToolWindow> CreateToolWindow(const ToolWindowSpec&, const Surface&,
                                               ToolWindowHandlers&) override {
    return nullptr;
  }
  bool SetClipboardText(const std::string&) override { return false; }
  std::string ApplicationName() override;

 private:
  std::FILE* out_;
  SystemClock clock_;
  TerminalProgress progress_;
  std::string editText_;
};

}  // namespace oxi::cli
