#pragma once
#include <functional>
#include <string>

#include "device/download_events.h"
#include "platform/ui/platform.h"

namespace oxi {

// A download's progress in a progress dialog: the window's, or a bar on a terminal. How
// the messages look and how time passes is the concern of the one who shows it.
class DialogDownloadEvents : public DownloadEvents {
 public:
  void ShowProgress() override;
  // Hidden, with the status it shows when the next download starts.
  void HideProgress() override;
  void ProgressStatus(const std::string& text) override;
  void ProgressBar(int percent) override;
  void SectorProgress(int percent) override;
  void CancelAllowed(bool allowed) override;
  // A press of Cancel waiting among the input counts.
  bool CancelRequested() override;

 protected:
  virtual ProgressDialog& Dialog() = 0;
};

// The download as the window shows it: the progress in the platform's download dialog,
// the messages in message boxes, the window's messages dispatched while it waits.
class WindowDownloadEvents : public DialogDownloadEvents {
 public:
  // `recordsChanged` refreshes whatever shows the current device's records.
  explicit WindowDownloadEvents(Platform& platform, std::function<void()> recordsChanged = {});
  void Message(const std::string& text, MessageCaption caption) override;
  void RecordsChanged() override;
  std::int64_t NowMs() override { return platform_.ClockMs(); }
  void WaitKeepingAlive(int ms) override { platform_.TimedWait(ms); }
  void KeepAlive() override { platform_.PumpOneMessage(); }
  void Pause(int ms) override { platform_.Sleep(ms); }
  LocalTime LocalNow() override { return platform_.Now(); }

 protected:
  ProgressDialog& Dialog() override { return platform_.DownloadDialog(); }

 private:
  Platform& platform_;
  std::function<void()> recordsChanged_;
};

// A message's caption; the program's own notices carry its name.
std::string CaptionText(MessageCaption caption, const std::string& programName);

}  // namespace oxi
