#pragma once
#include <functional>

#include "platform/ui/clock.h"

namespace oxi {

// How a host paces the message pumps of the main screen's loops, whatever its toolkit.
//
// A loop that pumps without drawing anything between two pumps is only waiting for the
// user, as a thumb held still does: that pump sleeps until a message comes (or briefly at
// most), so the loop does not keep a core busy. A loop that draws on every turn, as a held
// graph arrow does, runs at the drawing speed.
class PumpPacing {
 public:
  // Longest sleep of a pump that finds nothing to do: short enough that a caller which also
  // polls something else (the converter) hardly notices it.
  static constexpr int kIdleWaitMs = 10;

  // A surface was shown: the pumping loop is busy drawing, not idle.
  void Presented() { presentedSincePump_ = true; }
  // How long the pump starting now may wait for a message: nothing after a drawing,
  // kIdleWaitMs otherwise.
  int NextPumpWaitMs();

 private:
  bool presentedSincePump_ = true;
};

// Returns once `ticks` ms have passed on `clock`, calling `wait` with the time left for as
// long as some is: `wait` dispatches what arrives and sleeps, up to that long, while
// nothing does. So a timed wait never spins.
void WaitOnClock(Clock& clock, int ticks, const std::function<void(int leftMs)>& wait);

}  // namespace oxi
