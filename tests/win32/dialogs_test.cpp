#include <gtest/gtest.h>

#include <cstdlib>

#include "win32/windows_api.h"
// After windows.h: the progress bar's messages.
#include <commctrl.h>

#include "app/host_layout.h"
#include "platform/fs/files.h"
#include "res/build_info.h"
#include "res/texts.h"
#include "win32/about_dialog.h"
#include "win32/download_dialog.h"
#include "win32/id_chooser.h"
#include "win32/resource.h"
#include "win32_test_support.h"

namespace oxi {
namespace {

using testing::DialogCaptioned;
using testing::InsideModalLoop;
using testing::LoggingIdHandlers;
using testing::PumpUntil;
using testing::WindowUnderTest;

std::string ItemText(HWND dialog, int id) {
  return WindowTextUtf8(GetDlgItem(dialog, id));
}

// Whether a static shows its whole text on one line in the face it has.
bool ShowsWholeText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  const std::wstring text = Wide(WindowTextUtf8(control));
  HDC dc = GetDC(control);
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  ReleaseDC(control, dc);
  RECT area;
  GetClientRect(control, &area);
  return size.cx <= area.right;
}

// Whether a window's centre is that of `around`, to the pixel that halving rounds away.
bool CentredOn(HWND window, const RECT& around) {
  RECT r;
  GetWindowRect(window, &r);
  return std::abs((r.left + r.right) - (around.left + around.right)) <= 1 &&
         std::abs((r.top + r.bottom) - (around.top + around.bottom)) <= 1;
}

RECT WindowRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

class DownloadDialogTest : public ::testing::Test, public WindowUnderTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(created);
    dialog = dynamic_cast<CDLDialog*>(&platform.DownloadDialog());
    ASSERT_NE(dialog, nullptr);
  }
  HWND Dialog() const { return dialog->Handle(); }
  CDLDialog* dialog = nullptr;
};

TEST_F(DownloadDialogTest, StartsHiddenAtItsPlaceWithItsTexts) {
  EXPECT_EQ(GetWindow(Dialog(), GW_OWNER), window.Handle());
  EXPECT_FALSE(IsWindowVisible(Dialog()));
  RECT r;
  GetWindowRect(Dialog(), &r);
  const ControlRect& expected = host::kProgressWindowRect;
  EXPECT_EQ(r.left, expected.x);
  EXPECT_EQ(r.top, expected.y);
  EXPECT_EQ(r.right - r.left, expected.width);
  EXPECT_EQ(r.bottom - r.top, expected.height);
  EXPECT_EQ(WindowTextUtf8(Dialog()), texts::kDownloadDialogCaption);
  EXPECT_TRUE(GetWindowLongW(Dialog(), GWL_STYLE) & WS_SYSMENU);  // a close box
  EXPECT_EQ(ItemText(Dialog(), IDC_PROGRESS_STATUS), texts::kDownloading);
  EXPECT_EQ(ItemText(Dialog(), IDC_PROGRESS_PERCENT), texts::kInitialPercent);
  HWND bar = GetDlgItem(Dialog(), IDC_PROGRESS_BAR);
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, TRUE, 0), 0);
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(Dialog(), IDOK)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(Dialog(), IDCANCEL)));
  EXPECT_EQ(ItemText(Dialog(), IDC_PROGRESS_STOP), texts::kCancel);
  EXPECT_EQ(&platform.DownloadDialog(), dialog);  // the same window every time
}

// Cancel and the close box ask to stop only while the download may still stop; Esc and
// Enter never do, and the request is forgotten when the window is shown again.
TEST_F(DownloadDialogTest, CancelAndTheCloseBoxAskToStopWhileTheDownloadMayStop) {
  HWND stop = GetDlgItem(Dialog(), IDC_PROGRESS_STOP);
  dialog->Show();
  RECT button;
  RECT client;
  GetWindowRect(stop, &button);
  MapWindowPoints(nullptr, Dialog(), reinterpret_cast<POINT*>(&button), 2);
  GetClientRect(Dialog(), &client);
  RECT inside;
  IntersectRect(&inside, &button, &client);
  EXPECT_TRUE(EqualRect(&inside, &button)) << "the button is cut off";
  EXPECT_FALSE(IsWindowEnabled(stop));
  SendMessageW(Dialog(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(dialog->CancelRequested());

  dialog->SetCancellable(true);
  EXPECT_TRUE(IsWindowEnabled(stop));
  // Tabbed to, as the user would: the button then answers Enter unless the window stops it.
  SendMessageW(Dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(stop), TRUE);
  PostMessageW(stop, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(stop, WM_KEYDOWN, VK_ESCAPE, 1);
  platform.TimedWait(100);
  EXPECT_FALSE(dialog->CancelRequested());
  SendMessageW(stop, BM_CLICK, 0, 0);
  EXPECT_TRUE(dialog->CancelRequested());
  EXPECT_FALSE(IsWindowEnabled(stop));  // once is enough
  EXPECT_TRUE(IsWindowVisible(Dialog()));

  dialog->Hide();
  dialog->Show();
  EXPECT_FALSE(dialog->CancelRequested());
  EXPECT_TRUE(IsWindowEnabled(stop));
  SendMessageW(Dialog(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(dialog->CancelRequested());
  EXPECT_TRUE(IsWindowVisible(Dialog()));
  dialog->SetCancellable(false);
  dialog->Hide();
}

TEST_F(DownloadDialogTest, ShowsWhatTheDownloadSetsAndSurvivesEscAndClose) {
  dialog->Show();
  EXPECT_TRUE(IsWindowVisible(Dialog()));
  dialog->SetBar(42);
  dialog->SetPercentText("42%");
  dialog->SetStatus(texts::kNoMeasurements);
  dialog->Repaint();
  EXPECT_EQ(SendDlgItemMessageW(Dialog(), IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0), 42);
  EXPECT_EQ(ItemText(Dialog(), IDC_PROGRESS_PERCENT), "42%");
  EXPECT_EQ(ItemText(Dialog(), IDC_PROGRESS_STATUS), texts::kNoMeasurements);
  EXPECT_TRUE(ShowsWholeText(Dialog(), IDC_PROGRESS_STATUS));

  // Only the download hides it; the main window does not see its keys.
  PostMessageW(Dialog(), WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(Dialog(), WM_KEYDOWN, VK_RETURN, 1);
  platform.TimedWait(100);
  SendMessageW(Dialog(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindowVisible(Dialog()));
  EXPECT_EQ(handlers.Count("cancel"), 0);
  EXPECT_EQ(handlers.Count("enter"), 0);

  dialog->Hide();
  EXPECT_FALSE(IsWindowVisible(Dialog()));
  dialog->Show();
  RECT r;
  GetWindowRect(Dialog(), &r);
  EXPECT_EQ(r.left, host::kProgressWindowRect.x);
  EXPECT_EQ(ItemText(Dialog(), IDC_PROGRESS_PERCENT), "42%");
  dialog->Hide();
}

// The message boxes and the about box: the given texts, one OK that ends them, centred on
// the main window (placed away from the screen's centre, where the system would put them).
TEST_F(DownloadDialogTest, MessageBoxesAndTheAboutBoxShowTheirTextsAndEndWithOk) {
  SetWindowPos(window.Handle(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const RECT main = WindowRect(window.Handle());
  std::string text;
  bool hasCancel = true;
  bool boxCentred = false;
  InsideModalLoop answerBox([&] {
    HWND box = DialogCaptioned(texts::kErrorCaption);
    if (!box) return false;
    text = ItemText(box, 0xFFFF);  // the message text's static
    hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
    boxCentred = CentredOn(box, main);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return true;
  });
  platform.ShowMessageBox(texts::kDeviceNotRecognised, texts::kErrorCaption);
  EXPECT_EQ(text, texts::kDeviceNotRecognised);
  EXPECT_FALSE(hasCancel);
  EXPECT_TRUE(boxCentred);

  std::string version;
  std::string store;
  std::string log;
  std::string ok;
  bool aboutCentred = false;
  bool pathsWhole = false;
  InsideModalLoop answerAbout([&] {
    HWND about = DialogCaptioned(texts::kProductTitle);
    if (!about) return false;
    aboutCentred = CentredOn(about, main);
    pathsWhole = ShowsWholeText(about, IDC_ABOUT_STORE) && ShowsWholeText(about, IDC_ABOUT_LOG);
    version = ItemText(about, IDC_ABOUT_VERSION);
    store = ItemText(about, IDC_ABOUT_STORE);
    log = ItemText(about, IDC_ABOUT_LOG);
    ok = ItemText(about, IDOK);
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    return true;
  });
  // Deep enough below the user's folders to need more than the template's width.
  const std::string folder =
      "C:\\Users\\測定者\\Documents\\測定 データ\\2026年\\Application Data\\StO2";
  ShowAboutBox(window.Handle(), PathFromUtf8(folder));
  EXPECT_EQ(version, std::string("OxiView Version ") + build::kVersion);
  EXPECT_EQ(store, "データの保存先: " + folder);
  EXPECT_EQ(log, "ログファイル: " + folder + "\\viewer.log");
  EXPECT_EQ(ok, texts::kOk);
  EXPECT_TRUE(aboutCentred);
  EXPECT_TRUE(pathsWhole);
}

TEST(IdChooserTest, FillsTheListWhenShownAndOkKeepsTheFirst) {
  RegisterDialogControls();
  LoggingIdHandlers handlers;
  bool promptWhole = false;
  bool okDefault = false;
  bool cancelShown = true;
  bool startsOnOk = false;
  bool centred = false;
  InsideModalLoop user([&] {
    HWND chooser = DialogCaptioned(texts::kIdDialogCaption);
    if (!chooser) return false;
    EXPECT_EQ(ItemText(chooser, IDC_DEVICE_PROMPT), texts::kIdDialogPrompt);
    promptWhole = ShowsWholeText(chooser, IDC_DEVICE_PROMPT);
    okDefault = GetWindowLongW(GetDlgItem(chooser, IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON;
    cancelShown = IsWindowVisible(GetDlgItem(chooser, IDCANCEL));
    startsOnOk = GetFocus() == GetDlgItem(chooser, IDOK);
    // Shown before the main window, it has no owner: the screen's work area is its place.
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    centred = CentredOn(chooser, work);
    EXPECT_EQ(SendDlgItemMessageW(chooser, IDC_DEVICE_COMBO, CB_GETCOUNT, 0, 0), 2);
    PostMessageW(chooser, WM_KEYDOWN, VK_RETURN, 1);  // Enter presses OK
    return true;
  });
  RunIdChooser(handlers);
  EXPECT_TRUE(promptWhole);
  EXPECT_TRUE(okDefault);
  EXPECT_FALSE(cancelShown);
  EXPECT_TRUE(startsOnOk);
  EXPECT_TRUE(centred);
  // The program's own filling notified nothing.
  EXPECT_EQ(handlers.log, std::vector<std::string>{"show"});
  EXPECT_EQ(handlers.chosen, "AAAA00000001");
}

TEST(IdChooserTest, ChoosingInTheListHandsOverTheChoiceAndTheCloseBoxEndsIt) {
  RegisterDialogControls();
  LoggingIdHandlers handlers;
  InsideModalLoop user([&] {
    HWND chooser = DialogCaptioned(texts::kIdDialogCaption);
    if (!chooser) return false;
    HWND combo = GetDlgItem(chooser, IDC_DEVICE_COMBO);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    PostMessageW(chooser, WM_CLOSE, 0, 0);
    return true;
  });
  RunIdChooser(handlers);
  const std::vector<std::string> expected{"show", "selchange BBBB00000002", "closeup BBBB00000002"};
  EXPECT_EQ(handlers.log, expected);
  EXPECT_EQ(handlers.chosen, "BBBB00000002");
}

}  // namespace
}  // namespace oxi
