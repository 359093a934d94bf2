// A tool window on Win32: owned by the main window, its fields, its input through the
// shared rules, its surface, its message box, the clipboard.
#include "win32/tool_window.h"

#include <gtest/gtest.h>

#include "app/host_layout.h"
#include "platform/gdi/win32/gdi_font.h"
#include "win32_test_support.h"

namespace oxi {
namespace {

using testing::Button;
using testing::ClientRectOf;
using testing::Equal;
using testing::MouseAt;
using testing::PostKey;
using testing::PumpUntil;

class Win32ToolWindowTest : public ::testing::Test, public testing::WindowUnderTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(created);
    tool = platform.CreateToolWindow(testing::TestToolSpec(), surface, toolHandlers);
    ASSERT_TRUE(tool);
  }
  HWND Tool() const { return static_cast<Win32ToolWindow&>(*tool).Handle(); }
  HWND Edit(int field) const { return static_cast<Win32ToolWindow&>(*tool).Edit(field); }
  void ShowTool() {
    tool->Show();
    ASSERT_TRUE(PumpUntil(platform, [&] { return IsWindowVisible(Tool()) != FALSE; }));
    platform.TimedWait(100);
  }

  testing::RecordingToolHandlers toolHandlers;
  Surface surface{400, 300};
  std::unique_ptr<ToolWindow> tool;
};

TEST_F(Win32ToolWindowTest, IsAPopupOfTheMainWindowWithItsFieldsAtTheirPlaces) {
  EXPECT_EQ(GetWindow(Tool(), GW_OWNER), window.Handle());
  RECT client, outer;
  GetClientRect(Tool(), &client);
  GetWindowRect(Tool(), &outer);
  EXPECT_EQ(client.right, 400);
  EXPECT_EQ(client.bottom, 300);
  EXPECT_EQ(outer.left, 40);
  EXPECT_EQ(outer.top, 40);
  EXPECT_FALSE(GetWindowLongW(Tool(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
  EXPECT_EQ(WindowTextUtf8(Tool()), "解析");
  EXPECT_TRUE(Equal(ClientRectOf(Edit(2)), {150, 10, 110, 26}));
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Edit(2), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, host::kScreenFontPixels);
  EXPECT_EQ(Utf8(font.lfFaceName), kScreenFace);
  EXPECT_FALSE(IsWindowVisible(Tool()));

  ShowTool();
  tool->SetEditText(1, "５a");
  EXPECT_EQ(WindowTextUtf8(Edit(1)), "５a");
  SetWindowTextUtf8(Edit(0), "12");
  EXPECT_EQ(tool->EditText(0), "12");
  tool->SetTitle("解析 - 2008_0315_0905");
  EXPECT_EQ(WindowTextUtf8(Tool()), "解析 - 2008_0315_0905");
  tool->Hide();
  EXPECT_FALSE(IsWindowVisible(Tool()));
  EXPECT_TRUE(toolHandlers.log.empty());  // hiding is the program's, not the user's close
}

TEST_F(Win32ToolWindowTest, PointerEnterAndEscReachItsHandlersAndNotTheMainWindows) {
  ShowTool();
  MouseAt(Tool(), 200, 150);
  Button(MOUSEEVENTF_LEFTDOWN);
  Button(MOUSEEVENTF_LEFTUP);
  PumpUntil(platform, [&] { return toolHandlers.Count("up 200,150") > 0; });
  SetWindowTextUtf8(Edit(1), "5");
  PostKey(Edit(1), VK_RETURN);
  PostKey(Edit(0), VK_ESCAPE);
  PumpUntil(platform, [&] { return toolHandlers.Count("close") > 0; });
  std::erase_if(toolHandlers.log, [](const std::string& e) { return e.starts_with("move"); });
  EXPECT_EQ(toolHandlers.log,
            (std::vector<std::string>{"down 200,150", "up 200,150", "enter", "close"}));
  EXPECT_EQ(WindowTextUtf8(Edit(1)), "5");  // no line break typed into it
  EXPECT_FALSE(IsWindowVisible(Tool()));
  EXPECT_EQ(handlers.Count("enter") + handlers.Count("cancel"), 0);
  EXPECT_FALSE(window.Ended());
}

TEST_F(Win32ToolWindowTest, PresentShowsTheSurfaceAndTheClipboardTakesWindowsText) {
  ShowTool();
  surface.SetPixel(399, 299, Rgb(10, 200, 30));
  tool->Present();
  HDC dc = GetDC(Tool());
  EXPECT_EQ(GetPixel(dc, 399, 299), RGB(10, 200, 30));
  EXPECT_EQ(GetPixel(dc, 398, 299), RGB(255, 255, 255));
  ReleaseDC(Tool(), dc);

  ASSERT_TRUE(platform.SetClipboardText("episode\tpeak_s\n1\t0\n"));
  ASSERT_TRUE(OpenClipboard(nullptr));
  const auto* text = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
  EXPECT_EQ(std::wstring(text ? text : L""), L"episode\tpeak_s\r\n1\t0\r\n");
  CloseClipboard();
}

// A box over the tool window holds the main window too, as every box of the program does.
TEST_F(Win32ToolWindowTest, ItsMessageBoxHoldsEveryWindowOfTheProgram) {
  ShowTool();
  bool mainHeld = false;
  testing::InsideModalLoop closeBox([&] {
    HWND box = testing::DialogCaptioned("oxiview");
    if (!box) return false;
    mainHeld = !IsWindowEnabled(window.Handle()) && !IsWindowEnabled(Tool());
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return true;
  });
  tool->ShowMessageBox("入力値が不適切です。", "oxiview");
  EXPECT_TRUE(mainHeld);
  EXPECT_TRUE(IsWindowEnabled(window.Handle()));
  EXPECT_TRUE(IsWindowEnabled(Tool()));
}

}  // namespace
}  // namespace oxi
