#pragma once
#include <cstdio>
#include <string>

#include "app/download_view.h"
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

// The download as oxitool shows it: the progress as a bar on the terminal, the messages
// on its own lines there, Ctrl-C as the Cancel. No window messages wait to be dispatched,
// so every wait is a plain sleep.
class ConsoleDownloadEvents : public DialogDownloadEvents {
 public:
  explicit ConsoleDownloadEvents(std::FILE* out = stderr);
  void Message(const std::string& text, MessageCaption caption) override;
  // No calendar shows the records.
  void RecordsChanged() override {}
  std::int64_t NowMs() override { return clock_.NowMs(); }
  void WaitKeepingAlive(int ms) override { clock_.SleepMs(ms); }
  void KeepAlive() override {}
  void Pause(int ms) override { clock_.SleepMs(ms); }
  LocalTime LocalNow() override;
  Clock& GetClock() { return clock_; }

 protected:
  ProgressDialog& Dialog() override { return progress_; }

 private:
  std::FILE* out_;
  SystemClock clock_;
  TerminalProgress progress_;
};

}  // namespace oxi::cli
