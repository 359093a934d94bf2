#pragma once
#include <QEventLoop>

namespace oxi {

// Dispatches the pending events that `flags` admit and, when there are none, sleeps until
// one arrives or `maxMs` have passed. Never spins.
void WaitForEvents(QEventLoop::ProcessEventsFlags flags, int maxMs);

}  // namespace oxi
