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

// The main window's handlers as a log of calls; a test may hook the pointer handlers.
class RecordingHandlers : public WindowHandlers {
 public:
  void OnPaint() override { log.push_back("paint"); }
  void OnActivate(bool active) override { log.push_back(active ? "activate" : "deactivate"); }
  void OnMouseMove(int x, int y) override { Record("move", x, y); }
  void OnLButtonDown(int x, int y) override {
    Record("down", x, y);
    if (onDown) onDown(x, y);
  }
  void OnLButtonUp(int x, int y) override {
    Record("up", x, y);
    if (onUp) onUp(x, y);
  }
  bool OnEnterKey() override {
    log.push_back("enter");
    return true;
  }
  void OnCommandKey(CommandKey key) override {
    log.push_back(key == CommandKey::kPrint ? "print" : "save");
  }
  void OnCancel() override { log.push_back("cancel"); }
  void OnExportCommand() override { log.push_back("export"); }

  int Count(const std::string& entry) const {
    int n = 0;
    for (const auto& e : log) n += (e == entry);
    return n;
  }
  // Calls other than painting and activation, which the window system sends whenever it
  // likes (a late expose or focus change of the shown window).
  std::size_t InputCount() const {
    std::size_t n = 0;
    for (const auto& e : log) n += e != "paint" && e != "activate" && e != "deactivate";
    return n;
  }

  std::vector<std::string> log;
  std::function<void(int, int)> onDown;
  std::function<void(int, int)> onUp;

 private:
  void Record(const char* what, int x, int y) {
    log.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
  }
};

// The four surfaces of a main window, at their real sizes.
struct TestSurfaces {
  TestSurfaces()
      : face(kFaceWidth, kFaceHeight),
        graph(kGraphControl.width, kGraphControl.height),
        calendar(kCalendarControl.width, kCalendarControl.height),
        list(kListControl.width, kListControl.height) {}
  HostWindow::Surfaces Pointers() const { return {&face, &graph, &calendar, &list}; }

  Surface face;
  Surface graph;
  Surface calendar;
  Surface list;
};

}  // namespace oxi::testing
