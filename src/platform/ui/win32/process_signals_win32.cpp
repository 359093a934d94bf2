#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <atomic>

#include "platform/ui/process_signals.h"

namespace oxi {
namespace {

std::atomic<bool> interrupted{false};

// Runs on a thread of its own that the console starts for the event.
BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  interrupted = true;
  return TRUE;
}

}  // namespace

void CatchInterrupt() {
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool InterruptRequested() {
  return interrupted;
}

// Windows has no such signal: a write beyond a quota simply fails.
void IgnoreFileSizeLimitSignal() {}

}  // namespace oxi
