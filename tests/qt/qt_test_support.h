#pragma once
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>
#include <array>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/host_layout.h"
#include "platform/gdi/surface.h"
#include "platform/host_test_support.h"
#include "platform/ui/platform.h"
#include "qt/host_window.h"

namespace oxi::testing {

// One application for the whole program, on the offscreen platform unless the caller
// chose another. It is never destroyed: Qt's own globals go first at exit.
inline QApplication& App() {
  static int argc = 1;
  static char name[] = "qt_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace oxi::testing

// The entry through which the window system hands Qt a pointer event; exported by Qt for
// its own test library. Going through it gives the real dispatch: double-click
// detection, the widget under the point, implicit grabs.
void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                         Qt::MouseButtons state, Qt::MouseButton button, QEvent::Type type,
                         Qt::KeyboardModifiers mods, int timestamp);

namespace oxi::testing {

// Pointer events as the window system delivers them, with a clock of their own.
class PointerDriver {
 public:
  explicit PointerDriver(QWidget& window) : window_(window) {}
  void Move(int x, int y) { Send(QEvent::MouseMove, x, y, Qt::NoButton); }
  void Press(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    held_ |= button;
    Send(QEvent::MouseButtonPress, x, y, button);
  }
  void Release(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    held_ &= ~Qt::MouseButtons(button);
    Send(QEvent::MouseButtonRelease, x, y, button);
  }
  // Lets time pass between events (a double click needs them close together).
  void Pause(int ms) { timestamp_ += ms; }

 private:
  void Send(QEvent::Type type, int x, int y, Qt::MouseButton button) {
    timestamp_ += 10;
    const QPointF at(x, y);
    qt_handleMouseEvent(window_.windowHandle(), at, window_.mapToGlobal(at), held_, button, type,
                        Qt::NoModifier, timestamp_);
  }

  QWidget& window_;
  Qt::MouseButtons held_;
  int timestamp_ = 1000;
};

// Processes events until `done` holds or `ms` have passed; whether it held.
inline bool ProcessUntil(const std::function<bool()>& done, int ms = 3000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

inline bool ShowAndWaitExposed(QWidget& widget) {
  widget.show();
  return ProcessUntil([&] { return widget.windowHandle() && widget.windowHandle()->isExposed(); });
}

}  // namespace oxi::testing
