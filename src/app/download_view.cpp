#include "app/download_view.h"

#include <utility>

#include "platform/text/text_format.h"
#include "res/texts.h"

namespace oxi {

// The dialog's bar runs over the percent the download tells.
static_assert(kProgressBarMaximum == kProgressDone);

void DialogDownloadEvents::ShowProgress() {
  Dialog().Show();
}

void DialogDownloadEvents::HideProgress() {
  Dialog().Hide();
  Dialog().SetStatus(texts::kDownloading);
}

void DialogDownloadEvents::ProgressStatus(const std::string& text) {
  Dialog().SetStatus(text);
  Dialog().Repaint();
}

void DialogDownloadEvents::ProgressBar(int percent) {
  Dialog().SetBar(percent);
  Dialog().Repaint();
}

void DialogDownloadEvents::SectorProgress(int percent) {
  Dialog().SetBar(percent);
  Dialog().SetPercentText(FormatText(texts::kPercentFormat, percent));
  Dialog().Repaint();
}

void DialogDownloadEvents::CancelAllowed(bool allowed) {
  Dialog().SetCancellable(allowed);
}

bool DialogDownloadEvents::CancelRequested() {
  KeepAlive();
  return Dialog().CancelRequested();
}

WindowDownloadEvents::WindowDownloadEvents(Platform& platform, std::function<void()> recordsChanged)
    : platform_(platform), recordsChanged_(std::move(recordsChanged)) {}

void WindowDownloadEvents::Message(const std::string& text, MessageCaption caption) {
  platform_.ShowMessageBox(text, CaptionText(caption, platform_.ApplicationName()));
}

void WindowDownloadEvents::RecordsChanged() {
  if (recordsChanged_) recordsChanged_();
}

std::string CaptionText(MessageCaption caption, const std::string& programName) {
  switch (caption) {
    case MessageCaption::kError:
      return texts::kErrorCaption;
    case MessageCaption::kUnplug:
      return texts::kUnplugCaption;
    case MessageCaption::kProgram:
      break;
  }
  return programName;
}

}  // namespace oxi
