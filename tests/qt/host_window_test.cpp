#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "platform/gdi/posix/font_match.h"
#include "platform/ui/clock.h"
#include "qt/qt_platform.h"
#include "qt_test_support.h"
#include "res/texts.h"

namespace oxi {
namespace {

using testing::App;
using testing::ProcessUntil;
using testing::RecordingHandlers;
using testing::ShowAndWaitExposed;
using testing::TestSurfaces;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

class HostWindowTest : public ::testing::Test {
 protected:
  HostWindowTest() { platform.AttachWindow(*window); }

  void Key(QWidget& to, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           bool autoRepeat = false) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), autoRepeat);
    QCoreApplication::sendEvent(&to, &press);
  }

  RecordingHandlers handlers;
  TestSurfaces surfaces;
  SystemClock clock;
  QtPlatform platform{clock};
  std::unique_ptr<HostWindow> window{
      (App(), std::make_unique<HostWindow>(handlers, surfaces.Pointers()))};
  testing::PointerDriver pointer{*window};
};

TEST_F(HostWindowTest, HasTheFixedClientAreaAndTheEditFieldAtItsPlace) {
  EXPECT_EQ(window->size(), QSize(kFaceWidth, kFaceHeight));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_EQ(window->windowTitle().toStdString(), texts::kProductTitle);
  window->ShowStoreFolder("/srv/a b/Application Data/StO2");
  EXPECT_EQ(window->windowTitle().toStdString(), "OxiView - /srv/a b/Application Data/StO2");

  QLineEdit& edit = window->WindowEdit();
  EXPECT_EQ(edit.geometry(), QRect(839, 571, 45, 26));
  EXPECT_EQ(edit.text().toStdString(), "1");
  // It starts with the focus and its text selected.
  EXPECT_EQ(window->focusWidget(), &edit);
  EXPECT_EQ(edit.selectedText().toStdString(), "1");
  EXPECT_EQ(edit.font().pixelSize(), 16);
  EXPECT_EQ(edit.font().family().toStdString(), MatchFont(kScreenFace).family);
}

TEST_F(HostWindowTest, EditFieldTextGoesBothWaysThroughThePlatform) {
  platform.SetWindowEditText("42");
  EXPECT_EQ(window->WindowEdit().text().toStdString(), "42");
  window->WindowEdit().setText(QString::fromUtf8("５a"));
  EXPECT_EQ(platform.WindowEditText(), "５a");
}

TEST_F(HostWindowTest, PointerMessagesReachTheHandlersInClientCoordinates) {
  ASSERT_TRUE(ShowAndWaitExposed(*window));
  // Over the graph and the calendar: the controls let the main window have the pointer.
  pointer.Move(100, 100);
  pointer.Press(100, 100);
  pointer.Move(110, 104);  // moving with the button held
  pointer.Release(110, 104);
  pointer.Pause(1000);
  pointer.Move(800, 150);
  pointer.Press(800, 150);
  pointer.Release(800, 150);
  std::vector<std::string> expected{"move 100,100", "down 100,100", "move 110,104", "up 110,104",
                                    "move 800,150", "down 800,150", "up 800,150"};
  std::erase_if(handlers.log, [](const std::string& e) { return e.find(' ') == e.npos; });
  EXPECT_EQ(handlers.log, expected);
}

TEST_F(HostWindowTest, OnlyTheLeftButtonPressesAndTheSecondPressOfADoubleClickDoesNothing) {
  ASSERT_TRUE(ShowAndWaitExposed(*window));
  pointer.Press(300, 300, Qt::MiddleButton);
  pointer.Release(300, 300, Qt::MiddleButton);
  // The right button opens the window's menu: the export, the analysis (greyed while no
  // measurement is shown), the backup, then the about box. Its first item, chosen, goes to the
  // handlers.
  QStringList menuItems;
  QTimer::singleShot(0, [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) menuItems << action->text() + (action->isEnabled() ? "" : "-");
      }
      menu->setActiveAction(menu->actions().front());
      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
      QCoreApplication::sendEvent(menu, &enter);
    }
  });
  pointer.Press(300, 300, Qt::RightButton);
  pointer.Release(300, 300, Qt::RightButton);
  EXPECT_EQ(menuItems, (QStringList{QString::fromUtf8(texts::kExportMenuItem),
                                    QString::fromUtf8(texts::kAnalysisMenuItem) + "-",
                                    QString::fromUtf8(texts::kTrendMenuItem),
                                    QString::fromUtf8(texts::kBackupMenuItem),
                                    QString::fromUtf8(texts::kAboutMenuItem)}));
  EXPECT_EQ(handlers.Count("export"), 1);
  EXPECT_EQ(handlers.Count("down 300,300"), 0);
  EXPECT_EQ(handlers.Count("up 300,300"), 0);

  pointer.Pause(1000);
  pointer.Press(400, 400);
  pointer.Release(400, 400);
  pointer.Press(400, 400);  // within the double-click time
  pointer.Release(400, 400);
  EXPECT_EQ(handlers.Count("down 400,400"), 1);
  EXPECT_EQ(handlers.Count("up 400,400"), 2);

  pointer.Pause(1000);  // slower presses are two presses
  pointer.Press(400, 400);
  pointer.Release(400, 400);
  EXPECT_EQ(handlers.Count("down 400,400"), 2);
}

TEST_F(HostWindowTest, TheEditFieldTakesItsOwnClicks) {
  ASSERT_TRUE(ShowAndWaitExposed(*window));
  pointer.Press(850, 580);
  pointer.Release(850, 580);
  EXPECT_EQ(handlers.Count("down 850,580"), 0);
  EXPECT_EQ(handlers.Count("up 850,580"), 0);
}

TEST_F(HostWindowTest, EnterIsConsumedWhereverItIsTypedAndNeverEndsTheWindow) {
  ASSERT_TRUE(ShowAndWaitExposed(*window));
  int returns = 0;
  QObject::connect(&window->WindowEdit(), &QLineEdit::returnPressed, [&] { ++returns; });
  Key(window->WindowEdit(), Qt::Key_Return);
  Key(window->WindowEdit(), Qt::Key_Enter);
  Key(*window, Qt::Key_Return);
  EXPECT_EQ(handlers.Count("enter"), 3);
  EXPECT_EQ(returns, 0);
  // F1 opens no help and reaches no handler.
  const std::size_t before = handlers.InputCount();
  Key(window->WindowEdit(), Qt::Key_F1);
  Key(*window, Qt::Key_F1);
  QCoreApplication::processEvents();
  EXPECT_EQ(handlers.InputCount(), before);
  EXPECT_EQ(handlers.Count("cancel"), 0);
  EXPECT_TRUE(window->isVisible());
  int otherWindows = 0;
  for (const QWidget* w : QApplication::topLevelWidgets()) {
    otherWindows += w != window.get() && w->isVisible();
  }
  EXPECT_EQ(otherWindows, 0);  // no help window either

  // Keys of other windows are theirs.
  QLineEdit elsewhere;
  Key(elsewhere, Qt::Key_Return);
  Key(elsewhere, Qt::Key_Escape);
  EXPECT_EQ(handlers.Count("enter"), 3);
  EXPECT_TRUE(window->isVisible());
}

TEST_F(HostWindowTest, CtrlPAndCtrlSReachTheHandlersOncePerPress) {
  ASSERT_TRUE(ShowAndWaitExposed(*window));
  Key(window->WindowEdit(), Qt::Key_P, Qt::ControlModifier);
  Key(*window, Qt::Key_S, Qt::ControlModifier);
  Key(window->WindowEdit(), Qt::Key_S, Qt::ControlModifier, true);  // a held key's repeat
  EXPECT_EQ(handlers.Count("print"), 1);
  EXPECT_EQ(handlers.Count("save"), 1);
  // Without Ctrl the letters are the edit field's.
  Key(window->WindowEdit(), Qt::Key_S);
  EXPECT_EQ(handlers.Count("save"), 1);
}

TEST_F(HostWindowTest, EscAndTheCloseBoxCancelOnceAndEndTheWindow) {
  ASSERT_TRUE(ShowAndWaitExposed(*window));
  int ended = 0;
  QObject::connect(window.get(), &HostWindow::ended, [&] { ++ended; });
  Key(window->WindowEdit(), Qt::Key_Escape);
  EXPECT_EQ(handlers.Count("cancel"), 1);
  EXPECT_EQ(ended, 1);
  EXPECT_FALSE(window->isVisible());

  window->show();
  window->close();
  EXPECT_EQ(handlers.Count("cancel"), 1);
  EXPECT_FALSE(window->isVisible());
}

// The first paint is announced once, after it.
TEST_F(HostWindowTest, AnExposePaintsOnceAndPresentingNeverCallsThePaintHandler) {
  ASSERT_TRUE(ShowAndWaitExposed(*window));
  ASSERT_TRUE(ProcessUntil([&] { return handlers.Count("paint") > 0; }));
  EXPECT_TRUE(ProcessUntil([&] { return handlers.Count("shown") > 0; }));
  QCoreApplication::processEvents();
  EXPECT_EQ(handlers.Count("paint"), 1);

  for (SurfaceId id : host::kAllSurfaces) platform.Present(id);
  window->WindowEdit().setText("7");
  QCoreApplication::processEvents();
  EXPECT_EQ(handlers.Count("paint"), 1);
  EXPECT_EQ(handlers.Count("shown"), 1);
}

TEST_F(HostWindowTest, ActivationReachesTheHandler) {
  ASSERT_TRUE(ShowAndWaitExposed(*window));
  window->activateWindow();
  EXPECT_TRUE(ProcessUntil([&] { return handlers.Count("activate") > 0; }));
}

TEST_F(HostWindowTest, AClickIntoAnInactiveWindowActivatesItBeforeThePress) {
  ASSERT_TRUE(ShowAndWaitExposed(*window));
  QWidget other;
  ASSERT_TRUE(ShowAndWaitExposed(other));
  other.activateWindow();
  ASSERT_TRUE(ProcessUntil([&] { return !window->isActiveWindow(); }));
  handlers.log.clear();

  pointer.Press(300, 300);
  pointer.Release(300, 300);
  ASSERT_TRUE(ProcessUntil([&] { return window->isActiveWindow(); }));
  QCoreApplication::processEvents();
  std::vector<std::string> expected{"activate", "down 300,300", "up 300,300"};
  std::erase_if(handlers.log, [](const std::string& e) { return e.starts_with("move"); });
  EXPECT_EQ(handlers.log, expected);  // one activation, ahead of the press
}

TEST_F(HostWindowTest, PresentShowsTheSurfacePixelsBeforeItReturns) {
  ASSERT_TRUE(ShowAndWaitExposed(*window));
  QCoreApplication::processEvents();
  PaintCounter counter(*window);
  // A row far down an odd-width surface: rows are packed without padding.
  surfaces.calendar.SetPixel(249, 280, Rgb(10, 200, 30));
  platform.Present(SurfaceId::kCalendar);
  EXPECT_EQ(counter.paints, 1);

  // The calendar lies at its place on the face.
  const QImage shown = window->grab().toImage();
  EXPECT_EQ(shown.pixelColor(755 + 249, 60 + 280), QColor(10, 200, 30));
  EXPECT_EQ(shown.pixelColor(755 + 248, 60 + 280), QColor(255, 255, 255));
}

TEST_F(HostWindowTest, TheFaceIsTheWindowBackground) {
  surfaces.face.FillRect(0, 0, kFaceWidth, kFaceHeight, Rgb(245, 245, 245));
  surfaces.face.SetPixel(5, 700, Rgb(200, 0, 0));
  const QImage shown = window->grab().toImage();
  EXPECT_EQ(shown.pixelColor(5, 700), QColor(200, 0, 0));
  EXPECT_EQ(shown.pixelColor(2, 2), QColor(245, 245, 245));
  // The graph control covers the face at its place.
  EXPECT_EQ(shown.pixelColor(30, 30), QColor(255, 255, 255));
}

// On a screen of another scale (qt_tests.scaled runs this with Qt told 1.5) the surfaces
// are made at the window's ratio and copied pixel for pixel to where the grid puts them,
// and a press reaches the handlers in logical pixels.
TEST_F(HostWindowTest, ShowsTheSurfacesAtTheScreensScale) {
  handlers.onScale = [&](Scale scale) { surfaces.ScaleTo(scale); };
  ASSERT_TRUE(ShowAndWaitExposed(*window));
  // The first expose draws, at the window's scale when that is not 1.
  ASSERT_TRUE(ProcessUntil([&] {
    return std::ranges::any_of(
        handlers.log, [](const std::string& e) { return e == "paint" || e.starts_with("scale"); });
  }));
  const Scale scale = Scale::FromRatio(window->devicePixelRatioF());
  if (scale.IsOne()) GTEST_SKIP() << "shown at 1x";
  EXPECT_EQ(handlers.Count("scale " + std::to_string(scale.Steps())), 1);

  const ControlRect at = host::DeviceRect(kCalendarControl, scale);
  ASSERT_EQ(surfaces.calendar.Width(), at.width);
  surfaces.calendar.SetPixel(at.width - 1, 0, Rgb(10, 200, 30));
  platform.Present(SurfaceId::kCalendar);
  const QImage shown = window->grab().toImage();
  EXPECT_EQ(shown.pixelColor(at.x + at.width - 1, at.y), QColor(10, 200, 30));
  EXPECT_EQ(shown.pixelColor(at.x + at.width - 2, at.y), QColor(255, 255, 255));

  pointer.Press(301, 302);
  pointer.Release(301, 302);
  EXPECT_EQ(handlers.Count("down 301,302"), 1);
}

}  // namespace
}  // namespace oxi
