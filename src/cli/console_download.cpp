#include "cli/console_download.h"

#include <algorithm>

#include "platform/ui/local_time.h"
#include "platform/ui/process.h"
#include "platform/ui/process_signals.h"
#include "res/texts.h"

namespace oxi::cli {
namespace {

constexpr int kBarCells = 30;
constexpr char kFilledCell = '#';
constexpr char kEmptyCell = '.';
constexpr const char* kEraseToLineEnd = "\x1b[K";
constexpr const char* kProgramName = "oxitool";
constexpr const char* kIdeographicSpace = "\xE3\x80\x80";

// A caption of nothing but spaces (the unplug message's) is left out.
bool Blank(const std::string& caption) {
  std::string rest = caption;
  for (std::string::size_type at; (at = rest.find(kIdeographicSpace)) != std::string::npos;) {
    rest.erase(at, std::char_traits<char>::length(kIdeographicSpace));
  }
  return rest.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

TerminalProgress::TerminalProgress(std::FILE* out)
    : out_(out),
      terminal_(IsTerminal(out)),
      status_(texts::kDownloading),
      percent_(texts::kInitialPercent) {}

std::string TerminalProgress::RenderBar() const {
  const int filled = std::clamp(bar_, 0, kProgressBarMaximum) * kBarCells / kProgressBarMaximum;
  return status_ + " [" + std::string(filled, kFilledCell) +
         std::string(kBarCells - filled, kEmptyCell) + "]";
}

void TerminalProgress::Repaint() {
  if (!visible_) return;
  const std::string bar = RenderBar();
  const std::string line = bar + " " + percent_;
  if (terminal_) {
    if (line == drawn_) return;
    std::fprintf(out_, "\r%s%s", line.c_str(), kEraseToLineEnd);
    lineOpen_ = true;
    drawn_ = line;
  } else {
    // In a log a new line for every percent would bury the rest; one per bar cell will do.
    if (bar == drawn_) return;
    std::fprintf(out_, "%s\n", line.c_str());
    drawn_ = bar;
  }
  std::fflush(out_);
}

bool TerminalProgress::CancelRequested() {
  return InterruptRequested();
}

void TerminalProgress::BreakLine() {
  if (lineOpen_) std::fputc('\n', out_);
  lineOpen_ = false;
  if (terminal_) drawn_.clear();
}

void TerminalProgress::Hide() {
  BreakLine();
  visible_ = false;
  drawn_.clear();
}

ConsoleDownloadEvents::ConsoleDownloadEvents(std::FILE* out) : out_(out), progress_(out) {}

LocalTime ConsoleDownloadEvents::LocalNow() {
  return CurrentLocalTime();
}

void ConsoleDownloadEvents::Message(const std::string& text, MessageCaption caption) {
  progress_.BreakLine();
  const std::string captionText = CaptionText(caption, kProgramName);
  if (Blank(captionText)) {
    std::fprintf(out_, "%s\n", text.c_str());
  } else {
    std::fprintf(out_, "%s: %s\n", captionText.c_str(), text.c_str());
  }
  std::fflush(out_);
}

}  // namespace oxi::cli
