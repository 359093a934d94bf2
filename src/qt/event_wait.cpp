#include "qt/event_wait.h"

#include <QCoreApplication>
#include <QTimer>

namespace oxi {

void WaitForEvents(QEventLoop::ProcessEventsFlags flags, int maxMs) {
  if (maxMs <= 0) return;
  // The timer is the event that ends the sleep when nothing else comes.
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  wake.start(maxMs);
  QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
}

}  // namespace oxi
