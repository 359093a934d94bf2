#include <gtest/gtest.h>

#include <algorithm>

#include "app/host_layout.h"
#include "app/window_commands.h"
#include "platform/fs/files.h"
#include "res/texts.h"
#include "win32/resource.h"
#include "win32_test_support.h"

namespace oxi {
namespace {

using testing::Button;
using testing::ClientRectOf;
using testing::Equal;
using testing::MouseAt;
using testing::PostKey;
using testing::PumpUntil;
using testing::WindowUnderTest;

class MainWindowTest : public ::testing::Test, public WindowUnderTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(created);
    ASSERT_TRUE(PumpUntil(platform, [&] { return IsWindowVisible(window.Handle()) != FALSE; }));
    platform.TimedWait(100);
  }
  HWND Main() const { return window.Handle(); }
  std::vector<std::string> Pointer() const {
    std::vector<std::string> log = handlers.log;
    std::erase_if(log, [](const std::string& e) { return e.find(' ') == e.npos; });
    return log;
  }
};

TEST_F(MainWindowTest, IsItsOuterSizeWithTheControlsAtTheirPlaces) {
  RECT outer;
  GetWindowRect(Main(), &outer);
  EXPECT_EQ(outer.left, host::kWindowX);
  EXPECT_EQ(outer.top, host::kWindowY);
  EXPECT_EQ(outer.right - outer.left, 1024);
  EXPECT_EQ(outer.bottom - outer.top, 738);
  EXPECT_EQ(WindowTextUtf8(Main()), texts::kProductTitle);
  window.ShowStoreFolder(PathFromUtf8("D:\\計測\\Application Data\\StO2"));
  EXPECT_EQ(WindowTextUtf8(Main()), "OxiView - D:\\計測\\Application Data\\StO2");
  EXPECT_TRUE(Equal(ClientRectOf(window.View(SurfaceId::kGraph)), {20, 15, 720, 685}));
  EXPECT_TRUE(Equal(ClientRectOf(window.View(SurfaceId::kCalendar)), {755, 60, 250, 290}));
  EXPECT_TRUE(Equal(ClientRectOf(window.View(SurfaceId::kList)), {755, 355, 250, 180}));

  HWND edit = window.WindowEdit();
  EXPECT_TRUE(Equal(ClientRectOf(edit), {839, 571, 45, 26}));
  EXPECT_EQ(WindowTextUtf8(edit), "1");
  // It starts with the focus and its text selected.
  EXPECT_EQ(GetFocus(), edit);
  DWORD selStart = 0;
  DWORD selEnd = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
               reinterpret_cast<LPARAM>(&selEnd));
  EXPECT_EQ(selStart, 0u);
  EXPECT_EQ(selEnd, 1u);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, 16);
  EXPECT_EQ(Utf8(font.lfFaceName), kScreenFace);
  EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);

  wchar_t item[64] = {};
  GetMenuStringW(GetSystemMenu(Main(), FALSE), IDM_ABOUTBOX, item, 64, MF_BYCOMMAND);
  EXPECT_EQ(Utf8(item), texts::kAboutMenuItem);
  EXPECT_FALSE(GetWindowLongW(Main(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
}

TEST_F(MainWindowTest, EditFieldTextGoesBothWaysThroughThePlatform) {
  platform.SetWindowEditText("42");
  EXPECT_EQ(WindowTextUtf8(window.WindowEdit()), "42");
  SetWindowTextUtf8(window.WindowEdit(), "５a");
  EXPECT_EQ(platform.WindowEditText(), "５a");
}

// The statics of the surfaces let the pointer through: the window has every press in its
// own client coordinates, except on the edit field, which takes its own.
TEST_F(MainWindowTest, PointerInputReachesTheHandlersInClientCoordinates) {
  MouseAt(Main(), 300, 300);
  platform.TimedWait(100);
  handlers.log.clear();  // whatever the window's showing under the pointer sent
  MouseAt(Main(), 100, 100);
  Button(MOUSEEVENTF_LEFTDOWN);
  MouseAt(Main(), 110, 104);  // moving with the button held
  Button(MOUSEEVENTF_LEFTUP);
  platform.TimedWait(600);  // longer than a double click takes
  MouseAt(Main(), 800, 150);
  Button(MOUSEEVENTF_LEFTDOWN);
  Button(MOUSEEVENTF_LEFTUP);
  MouseAt(Main(), 850, 580);  // the edit field
  Button(MOUSEEVENTF_LEFTDOWN);
  Button(MOUSEEVENTF_LEFTUP);
  PumpUntil(platform, [&] { return handlers.Count("up 800,150") > 0; });
  platform.TimedWait(200);
  std::vector<std::string> expected{"move 100,100", "down 100,100", "move 110,104", "up 110,104",
                                    "move 800,150", "down 800,150", "up 800,150"};
  EXPECT_EQ(Pointer(), expected);
}

// The window answers no double-click: the second press of one does nothing, its release
// is still a release.
TEST_F(MainWindowTest, TheSecondPressOfADoubleClickDoesNothing) {
  MouseAt(Main(), 400, 400);
  for (int i = 0; i < 2; ++i) {
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
  }
  PumpUntil(platform, [&] { return handlers.Count("up 400,400") == 2; });
  EXPECT_EQ(handlers.Count("down 400,400"), 1);
  EXPECT_EQ(handlers.Count("up 400,400"), 2);
}

TEST_F(MainWindowTest, EnterIsTakenWhereverItIsTypedEscAndTheCloseBoxEndTheWindowOnce) {
  PostKey(window.WindowEdit(), VK_RETURN);
  PostKey(Main(), VK_RETURN);
  PumpUntil(platform, [&] { return handlers.Count("enter") == 2; });
  EXPECT_EQ(handlers.Count("enter"), 2);
  EXPECT_FALSE(window.Ended());
  EXPECT_EQ(WindowTextUtf8(window.WindowEdit()), "1");  // no line break typed into it

  PostKey(window.WindowEdit(), VK_ESCAPE);
  PumpUntil(platform, [&] { return window.Ended(); });
  EXPECT_EQ(handlers.Count("cancel"), 1);
  EXPECT_FALSE(IsWindowVisible(Main()));
  SendMessageW(Main(), WM_CLOSE, 0, 0);
  EXPECT_EQ(handlers.Count("cancel"), 1);
}

void Keys(std::initializer_list<std::pair<WORD, bool>> keys) {
  for (const auto& [key, down] : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
  }
}

// Ctrl+P and Ctrl+S are the Print and Save buttons' shortcuts, wherever the focus is; a
// held key's repeats do nothing more, and the plain letters are the edit field's.
TEST_F(MainWindowTest, CtrlPAndCtrlSReachTheHandlersOnce) {
  SetForegroundWindow(Main());
  SetFocus(window.WindowEdit());
  Keys({{VK_CONTROL, true},
        {'P', true},
        {'P', true},
        {'P', false},
        {'S', true},
        {'S', false},
        {VK_CONTROL, false},
        {'P', true},
        {'P', false}});
  PumpUntil(platform, [&] { return WindowTextUtf8(window.WindowEdit()).size() > 1; });
  EXPECT_EQ(handlers.Count("print"), 1);
  EXPECT_EQ(handlers.Count("save"), 1);
  EXPECT_EQ(WindowTextUtf8(window.WindowEdit()).back(), 'p');
}

TEST_F(MainWindowTest, TheCloseBoxEndsTheWindow) {
  SendMessageW(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpUntil(platform, [&] { return window.Ended(); });
  EXPECT_EQ(handlers.Count("cancel"), 1);
}

// Esc while a press loop runs: the window goes, and with it any release that could end
// the loop, so the loop is handed one before the handlers hear of the cancel.
TEST_F(MainWindowTest, EndingTheWindowDuringAPressLoopEndsTheLoop) {
  bool held = false;
  bool gaveUp = false;
  handlers.onDown = [&](int, int) {
    held = true;
    PostKey(window.WindowEdit(), VK_ESCAPE);
    const std::int64_t giveUp = clock.NowMs() + 3000;
    while (held && !(gaveUp = clock.NowMs() >= giveUp)) platform.TimedWait(5);
  };
  handlers.onUp = [&](int, int) { held = false; };
  MouseAt(Main(), 500, 300);
  Button(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil(platform, [&] { return window.Ended(); }));
  Button(MOUSEEVENTF_LEFTUP);
  platform.TimedWait(100);
  EXPECT_FALSE(gaveUp);
  std::vector<std::string> log = handlers.log;
  std::erase_if(log, [](const std::string& e) {
    return !e.starts_with("down") && !e.starts_with("up") && e != "cancel";
  });
  const std::vector<std::string> expected{"down 500,300", "up 500,300", "cancel"};
  EXPECT_EQ(log, expected);
}

// An expose runs the full repaint once; presenting a surface draws without one. The
// first paint is announced once, after it.
TEST_F(MainWindowTest, AnExposePaintsOncePresentingShowsTheSurfaceAtOnce) {
  platform.TimedWait(100);
  EXPECT_EQ(handlers.Count("shown"), 1);
  handlers.log.clear();
  InvalidateRect(Main(), nullptr, FALSE);
  platform.TimedWait(100);
  EXPECT_EQ(handlers.Count("paint"), 1);
  EXPECT_EQ(handlers.Count("shown"), 0);

  surfaces.calendar.SetPixel(249, 280, Rgb(10, 200, 30));
  surfaces.face.FillRect(0, 0, kFaceWidth, kFaceHeight, Rgb(200, 0, 0));
  for (SurfaceId id : host::kAllSurfaces) platform.Present(id);
  EXPECT_EQ(handlers.Count("paint"), 1);

  HWND calendar = window.View(SurfaceId::kCalendar);
  HDC dc = GetDC(calendar);
  EXPECT_EQ(GetPixel(dc, 249, 280), RGB(10, 200, 30));
  EXPECT_EQ(GetPixel(dc, 248, 280), RGB(255, 255, 255));
  ReleaseDC(calendar, dc);
  dc = GetDC(Main());
  EXPECT_EQ(GetPixel(dc, 5, 700), RGB(200, 0, 0));
  ReleaseDC(Main(), dc);
  // The face never covers the controls.
  HWND graph = window.View(SurfaceId::kGraph);
  dc = GetDC(graph);
  EXPECT_EQ(GetPixel(dc, 10, 15), RGB(255, 255, 255));
  ReleaseDC(graph, dc);
}

// The window's menu greys the analysis until a measurement is shown.
TEST_F(MainWindowTest, TheMenuGreysTheAnalysisUntilAMeasurementIsShown) {
  for (const bool shown : {false, true}) {
    handlers.measurementShown = shown;
    UINT state = 0;
    bool seen = false;
    testing::InsideModalLoop readMenu([&] {
      HWND popup = FindWindowW(L"#32768", nullptr);
      if (!popup || !IsWindowVisible(popup)) return false;
      HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
      state = GetMenuState(menu, static_cast<UINT>(WindowCommand::kAnalysis), MF_BYCOMMAND);
      seen = true;
      EndMenu();
      return true;
    });
    SendMessageW(Main(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Main()), MAKELPARAM(100, 100));
    ASSERT_TRUE(seen);
    EXPECT_EQ((state & MF_GRAYED) != 0, !shown);
  }
  EXPECT_EQ(handlers.Count("analysis"), 0);  // the menu ended without a choice
}

TEST_F(MainWindowTest, ActivationReachesTheHandler) {
  handlers.log.clear();
  SendMessageW(Main(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
  SendMessageW(Main(), WM_ACTIVATE, WA_INACTIVE, 0);
  const std::vector<std::string> expected{"activate", "deactivate"};
  EXPECT_EQ(handlers.log, expected);
}

// Moved to a screen of twice the DPI: the window takes the rectangle Windows suggests,
// controls and edit font their places and height at 2x, the surfaces are made anew at
// that scale, and pointer messages in device pixels reach the handlers in logical ones.
TEST_F(MainWindowTest, TakesTheScaleOfAnotherScreen) {
  handlers.onScale = [&](Scale scale) { surfaces.ScaleTo(scale); };
  RECT suggested{10, 20, 10 + 2048, 20 + 1476};
  SendMessageW(Main(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(handlers.Count("scale 8"), 1);
  RECT outer;
  GetWindowRect(Main(), &outer);
  EXPECT_EQ(outer.left, 10);
  EXPECT_EQ(outer.bottom - outer.top, 1476);
  EXPECT_TRUE(Equal(ClientRectOf(window.View(SurfaceId::kCalendar)), {1510, 120, 500, 580}));
  EXPECT_TRUE(Equal(ClientRectOf(window.WindowEdit()), {1678, 1142, 90, 52}));
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window.WindowEdit(), WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_EQ(font.lfHeight, 32);

  // (The graph's, not the calendar's: at 2x the calendar lies beyond a 1280-wide screen,
  // where GetPixel reads nothing.)
  surfaces.graph.SetPixel(499, 579, Rgb(10, 200, 30));
  platform.Present(SurfaceId::kGraph);
  HDC dc = GetDC(window.View(SurfaceId::kGraph));
  EXPECT_EQ(GetPixel(dc, 499, 579), RGB(10, 200, 30));
  ReleaseDC(window.View(SurfaceId::kGraph), dc);

  SendMessageW(Main(), WM_MOUSEMOVE, 0, MAKELPARAM(601, 603));
  EXPECT_EQ(handlers.Count("move 300,301"), 1);
}

}  // namespace
}  // namespace oxi
