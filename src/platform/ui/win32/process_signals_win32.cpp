#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <atomic>

#include "platform/ui/process_signals.h"

namespace oxi {
namespace {

// The statuses a POSIX shell reports for the signals these events stand for: Ctrl-C
// (SIGINT) and the console going away (SIGHUP).
constexpr int kInterruptStatus = 130;
constexpr int kHangUpStatus = 129;

std::atomic<int> stopStatus{0};

// Runs on a thread of its own that the console starts for the event.
BOOL WINAPI OnConsoleControl(DWORD event) {
  const bool interrupt = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
  int none = 0;
  stopStatus.compare_exchange_strong(none, interrupt ? kInterruptStatus : kHangUpStatus);
  if (!interrupt) {
    // The system ends the process as soon as this returns from a close, log-off or
    // shut-down: wait here instead, so that the command stops as it would at Ctrl-C and
    // returns from main, which ends the process with this thread in it. (The system ends
    // it after a few seconds in any case.)
    Sleep(INFINITE);
  }
  return TRUE;
}

}  // namespace

void CatchInterrupt() {
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool InterruptRequested() {
  return stopStatus != 0;
}

int InterruptExitStatus() {
  const int status = stopStatus;
  return status != 0 ? status : kInterruptStatus;
}

// Windows has no such signal: a write beyond a quota simply fails.
void IgnoreFileSizeLimitSignal() {}

}  // namespace oxi
