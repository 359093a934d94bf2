#include <signal.h>

#include <csignal>

#include "platform/ui/process_signals.h"

namespace oxi {
namespace {

// What a shell adds to the number of the signal that ended a program.
constexpr int kSignalStatusBase = 128;
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The first stop signal that came; 0 while none did.
volatile std::sig_atomic_t stopSignal = 0;

extern "C" void OnStopSignal(int signal) {
  if (stopSignal == 0) stopSignal = signal;
}

}  // namespace

void CatchInterrupt() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // Reads and sleeps go on where they were; the flag is looked at after each sector or file.
  action.sa_flags = SA_RESTART;
  for (int signal : kStopSignals) {
    struct sigaction before {};
    sigaction(signal, nullptr, &before);
    // A program started to outlive its terminal (nohup ignores SIGHUP) keeps doing so.
    // Ctrl-C is always taken: a shell starts background commands with it ignored, and
    // scripts still stop them with it.
    if (signal != SIGINT && before.sa_handler == SIG_IGN) continue;
    sigaction(signal, &action, nullptr);
  }
}

bool InterruptRequested() {
  return stopSignal != 0;
}

int InterruptExitStatus() {
  return kSignalStatusBase + (stopSignal != 0 ? static_cast<int>(stopSignal) : SIGINT);
}

void IgnoreFileSizeLimitSignal() {
  std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace oxi
