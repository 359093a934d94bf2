#pragma once
#include <cstdint>
#include <string>

#include "platform/ui/local_time.h"

namespace oxi {

// Progress is told in percent.
inline constexpr int kProgressDone = 100;

// Whose words a message is, which its caption shows.
enum class MessageCaption {
  kError,    // something went wrong
  kProgram,  // the program's own notice
  kUnplug,   // the last words of every download
};

// What a download tells whoever runs it, and what it asks of them, in the order it
// happens: the download decides what is said and when, the window (or the terminal) how
// it looks. The download itself never shows, draws or waits; even the waits for the
// monitor go through here, so that a window stays alive while they last.
class DownloadEvents {
 public:
  virtual ~DownloadEvents() = default;

  // The progress, shown while the converters are worked on.
  virtual void ShowProgress() = 0;
  // Every converter has been handled; the progress starts afresh next time.
  virtual void HideProgress() = 0;
  // The stage reached ("no measurements", "finishing").
  virtual void ProgressStatus(const std::string& text) = 0;
  // How far the work has come, 0..kProgressDone (while the monitor erases, the tenths of
  // a second that passed, round and round).
  virtual void ProgressBar(int percent) = 0;
  // The share of a device's sectors requested so far, shown as a bar and as a number.
  virtual void SectorProgress(int percent) = 0;
  // Whether the user may still stop the download: not once the monitor's clock is set.
  virtual void CancelAllowed(bool allowed) = 0;
  // Asked after every sector: whether the user wants the download to stop. The input that
  // came meanwhile is dispatched first.
  virtual bool CancelRequested() = 0;

  // A message the user reads before the download goes on.
  virtual void Message(const std::string& text, MessageCaption caption) = 0;
  // The device read last is now the store's current device, and its folder may hold new
  // records: whatever shows them is to look again.
  virtual void RecordsChanged() = 0;

  // The clock the waits are measured on, in ms.
  virtual std::int64_t NowMs() = 0;
  // Lets `ms` pass while the input that comes is dispatched.
  virtual void WaitKeepingAlive(int ms) = 0;
  // Dispatches input that came, at most one message.
  virtual void KeepAlive() = 0;
  // Lets `ms` pass without dispatching anything: time to read the progress's last state.
  virtual void Pause(int ms) = 0;
  // The PC's local time: the monitor's clock is set to it, and a record whose own start
  // time is no real minute is named by it.
  virtual LocalTime LocalNow() = 0;
};

}  // namespace oxi
