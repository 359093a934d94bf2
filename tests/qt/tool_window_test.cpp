// A tool window on Qt: owned by the main window, its fields, its input through the shared
// rules, its surface, the clipboard.
#include "qt/tool_window.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

#include "platform/gdi/posix/font_match.h"
#include "platform/ui/clock.h"
#include "qt/qt_platform.h"
#include "qt_test_support.h"

namespace oxi {
namespace {

using testing::App;
using testing::ShowAndWaitExposed;

class QtToolWindowTest : public ::testing::Test {
 protected:
  QtToolWindowTest() {
    platform.AttachWindow(*main);
    tool = platform.CreateToolWindow(testing::TestToolSpec(), surface, handlers);
  }
  ToolWidget& Widget() { return *static_cast<QtToolWindow&>(*tool).Widget(); }
  void Key(QWidget& to, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&to, &press);
  }

  testing::RecordingHandlers mainHandlers;
  testing::TestSurfaces surfaces;
  SystemClock clock;
  QtPlatform platform{clock};
  std::unique_ptr<HostWindow> main{
      (App(), std::make_unique<HostWindow>(mainHandlers, surfaces.Pointers()))};
  testing::RecordingToolHandlers handlers;
  Surface surface{400, 300};
  std::unique_ptr<ToolWindow> tool;
};

TEST_F(QtToolWindowTest, IsAWindowOfTheMainWindowWithItsFieldsAtTheirPlaces) {
  ToolWidget& w = Widget();
  EXPECT_TRUE(w.isWindow());
  EXPECT_EQ(w.parentWidget(), main.get());
  EXPECT_EQ(w.size(), QSize(400, 300));
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  EXPECT_EQ(w.windowTitle().toStdString(), "解析");
  EXPECT_EQ(w.Edit(2).geometry(), QRect(150, 10, 110, 26));
  EXPECT_EQ(w.Edit(2).font().pixelSize(), 16);
  EXPECT_EQ(w.Edit(2).font().family().toStdString(), MatchFont(kScreenFace).family);
  EXPECT_FALSE(w.isVisible());
  tool->Show();
  EXPECT_TRUE(w.isVisible());
  tool->SetEditText(1, "５a");
  EXPECT_EQ(w.Edit(1).text().toStdString(), "５a");
  w.Edit(0).setText("12");
  EXPECT_EQ(tool->EditText(0), "12");
  tool->SetTitle("解析 - 2008_0315_0905");
  EXPECT_EQ(w.windowTitle().toStdString(), "解析 - 2008_0315_0905");
  tool->Hide();
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(handlers.log.empty());  // hiding is the program's, not the user's close
}

TEST_F(QtToolWindowTest, PointerEnterAndEscReachItsHandlersAndNotTheMainWindows) {
  tool->Show();
  ASSERT_TRUE(ShowAndWaitExposed(Widget()));
  testing::PointerDriver pointer(Widget());
  pointer.Press(200, 150);
  pointer.Release(200, 150);
  int returns = 0;
  QObject::connect(&Widget().Edit(1), &QLineEdit::returnPressed, [&] { ++returns; });
  Key(Widget().Edit(1), Qt::Key_Return);
  EXPECT_EQ(returns, 0);
  Key(Widget().Edit(0), Qt::Key_Escape);
  std::erase_if(handlers.log, [](const std::string& e) { return e.starts_with("move"); });
  EXPECT_EQ(handlers.log,
            (std::vector<std::string>{"down 200,150", "up 200,150", "enter", "close"}));
  EXPECT_FALSE(Widget().isVisible());
  EXPECT_EQ(mainHandlers.InputCount(), 0u);  // Esc closed the tool window only
}

TEST_F(QtToolWindowTest, PresentShowsTheSurfaceAndTheClipboardTakesText) {
  tool->Show();
  ASSERT_TRUE(ShowAndWaitExposed(Widget()));
  surface.SetPixel(399, 299, Rgb(10, 200, 30));
  tool->Present();
  const QImage shown = Widget().grab().toImage();
  EXPECT_EQ(shown.pixelColor(399, 299), QColor(10, 200, 30));
  EXPECT_EQ(shown.pixelColor(398, 299), QColor(255, 255, 255));

  EXPECT_TRUE(platform.SetClipboardText("episode\tpeak_s\n1\t0\n"));
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "episode\tpeak_s\n1\t0\n");
}

// On a screen of another scale the handlers draw the window anew at it, and presses come
// in its logical pixels.
TEST_F(QtToolWindowTest, TheHandlersDrawAtTheScreensScale) {
  tool->Show();
  ASSERT_TRUE(ShowAndWaitExposed(Widget()));
  const Scale scale = Scale::FromRatio(Widget().devicePixelRatioF());
  if (scale.IsOne()) GTEST_SKIP() << "shown at 1x";
  const std::string redrawn = "scale " + std::to_string(scale.Steps());
  ASSERT_TRUE(testing::ProcessUntil([&] { return handlers.Count(redrawn) == 1; }));
  testing::PointerDriver pointer(Widget());
  pointer.Press(120, 90);
  pointer.Release(120, 90);
  EXPECT_EQ(handlers.Count("down 120,90"), 1);
}

}  // namespace
}  // namespace oxi
