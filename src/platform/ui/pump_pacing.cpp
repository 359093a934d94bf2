#include "platform/ui/pump_pacing.h"

#include <cstdint>

namespace oxi {

int PumpPacing::NextPumpWaitMs() {
  if (presentedSincePump_) {
    presentedSincePump_ = false;
    return 0;
  }
  return kIdleWaitMs;
}

void WaitOnClock(Clock& clock, int ticks, const std::function<void(int leftMs)>& wait) {
  const std::int64_t deadline = clock.NowMs() + ticks;
  for (std::int64_t left = ticks; left > 0; left = deadline - clock.NowMs()) {
    wait(static_cast<int>(left));
  }
}

}  // namespace oxi
