#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QKeyEvent>
#include <QTimer>
#include <memory>

#include "platform/ui/clock.h"
#include "qt/qt_platform.h"
#include "qt_test_support.h"

namespace oxi {
namespace {

using testing::App;
using testing::RecordingHandlers;
using testing::ShowAndWaitExposed;
using testing::TestSurfaces;

std::int64_t ThreadCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  const auto ms = [](const timeval& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_usec / 1000;
  };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

class QtPlatformTest : public ::testing::Test {
 protected:
  QtPlatformTest() { App(); }
  SystemClock clock;
  QtPlatform platform{clock};
};

// The same with the host window shown and attached, for handlers that pump.
class QtPlatformWindowTest : public QtPlatformTest {
 protected:
  void SetUp() override {
    platform.AttachWindow(window);
    ASSERT_TRUE(ShowAndWaitExposed(window));
  }
  RecordingHandlers handlers;
  TestSurfaces surfaces;
  HostWindow window{handlers, surfaces.Pointers()};
};

TEST_F(QtPlatformTest, TimedWaitReturnsAtItsDeadlineAndDispatchesMeanwhile) {
  std::int64_t firedAt = -1;
  const std::int64_t start = clock.NowMs();
  QTimer::singleShot(30, [&] { firedAt = clock.NowMs(); });
  platform.TimedWait(150);
  const std::int64_t end = clock.NowMs();
  EXPECT_GE(end - start, 150);
  EXPECT_LT(end - start, 2000);  // it did not sleep on with nothing to wake it
  EXPECT_GE(firedAt, start);
  EXPECT_LT(firedAt, start + 150);
}

TEST_F(QtPlatformTest, TimedWaitSleepsInsteadOfSpinning) {
  const std::int64_t cpuBefore = ThreadCpuMs();
  platform.TimedWait(400);
  EXPECT_LT(ThreadCpuMs() - cpuBefore, 100);
}

TEST_F(QtPlatformTest, TimedWaitOfNothingReturnsAtOnce) {
  bool late = false;
  QObject scope;  // the timer dies with the test instead of firing into a later one
  QTimer::singleShot(500, &scope, [&] { late = true; });
  platform.TimedWait(0);
  platform.TimedWait(-20);
  EXPECT_FALSE(late);
  QCoreApplication::processEvents();
}

TEST_F(QtPlatformTest, PumpOneMessageDoesNotBlock) {
  bool late = false;
  QObject scope;
  QTimer::singleShot(500, &scope, [&] { late = true; });
  const std::int64_t start = clock.NowMs();
  platform.PumpOneMessage();
  EXPECT_LT(clock.NowMs() - start, 400);
  EXPECT_FALSE(late);
}

// Our own message boxes are captioned with the name the program was started under.
TEST_F(QtPlatformTest, ApplicationNameIsTheProgramsFileName) {
  EXPECT_EQ(platform.ApplicationName(), "qt_tests");
}

// A thumb held still: its loop pumps with nothing to draw and must sleep, not spin; a held
// graph arrow draws on every turn and must not be slowed by those sleeps.
TEST_F(QtPlatformTest, PumpingWithNothingDrawnSleepsPumpingWhileDrawingDoesNot) {
  const testing::PumpPacingFigures figures = testing::MeasurePumpPacing(platform, ThreadCpuMs);
  EXPECT_LT(figures.idleCpuMs, 100);
  EXPECT_GT(figures.idleTurns, 4);  // it still comes back to its caller
  EXPECT_GT(figures.drawingTurns, testing::kDrawingTurnsAtLeast);
}

// A press handler that loops on a flag, pumping, as the scroll arrows do: the release
// must arrive inside that loop and end it.
TEST_F(QtPlatformWindowTest, HandlersReEnterThroughPumpedMessages) {
  bool held = false;
  int depth = 0;
  int releasesInsidePress = 0;
  handlers.onDown = [&](int, int) {
    held = true;
    ++depth;
    const std::int64_t giveUp = clock.NowMs() + 3000;
    while (held && clock.NowMs() < giveUp) {
      platform.PumpOneMessage();
      platform.TimedWait(5);
    }
    --depth;
  };
  handlers.onUp = [&](int, int) {
    held = false;
    if (depth > 0) ++releasesInsidePress;
  };

  testing::PointerDriver pointer(window);
  QTimer::singleShot(50, [&] { pointer.Release(990, 520); });
  pointer.Press(990, 520);
  ASSERT_TRUE(testing::ProcessUntil([&] { return handlers.Count("up 990,520") > 0; }));
  QCoreApplication::processEvents();
  EXPECT_EQ(releasesInsidePress, 1);
  EXPECT_FALSE(held);
  EXPECT_EQ(depth, 0);
}

// Esc while a press loop runs: the window goes, and with it any release that could end
// the loop, so the loop is handed one before the handlers hear of the cancel.
TEST_F(QtPlatformWindowTest, EndingTheWindowDuringAPressLoopEndsTheLoop) {
  bool held = false;
  bool gaveUp = false;
  handlers.onDown = [&](int, int) {
    held = true;
    const std::int64_t giveUp = clock.NowMs() + 3000;
    while (held && !(gaveUp = clock.NowMs() >= giveUp)) platform.TimedWait(5);
  };
  handlers.onUp = [&](int, int) { held = false; };

  testing::PointerDriver pointer(window);
  pointer.Move(500, 300);
  QTimer::singleShot(50, [&] {
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&window.WindowEdit(), &esc);
  });
  pointer.Press(500, 300);
  EXPECT_FALSE(gaveUp);
  EXPECT_FALSE(window.isVisible());
  std::erase_if(handlers.log, [](const std::string& e) {
    return !e.starts_with("down") && !e.starts_with("up") && e != "cancel";
  });
  const std::vector<std::string> expected{"down 500,300", "up 500,300", "cancel"};
  EXPECT_EQ(handlers.log, expected);
}

}  // namespace
}  // namespace oxi
