#include <gtest/gtest.h>

#include "win32/windows_api.h"
// After windows.h: the IDs of the common dialogs' controls.
#include <dlgs.h>

#include "win32_test_support.h"

namespace oxi {
namespace {

using testing::InsideModalLoop;
using testing::ThreadDialog;

std::int64_t ThreadCpuMs() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  const auto ms = [](const FILETIME& t) {
    return ((static_cast<std::int64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000;
  };
  return ms(kernel) + ms(user);
}

class Win32PlatformTest : public ::testing::Test {
 protected:
  SystemClock clock;
  Win32Platform platform{clock};
};

TEST_F(Win32PlatformTest, TimedWaitReturnsAtItsDeadlineDispatchesMeanwhileAndSleeps) {
  static std::int64_t firedAt;
  static SystemClock* timerClock;
  firedAt = -1;
  timerClock = &clock;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    firedAt = timerClock->NowMs();
  });
  const std::int64_t cpuBefore = ThreadCpuMs();
  const std::int64_t start = clock.NowMs();
  platform.TimedWait(400);
  const std::int64_t end = clock.NowMs();
  KillTimer(nullptr, timer);
  EXPECT_GE(end - start, 400);
  EXPECT_LT(end - start, 2000);
  EXPECT_GE(firedAt, start);
  EXPECT_LT(firedAt, start + 400);
  EXPECT_LT(ThreadCpuMs() - cpuBefore, 100);

  const std::int64_t before = clock.NowMs();
  platform.TimedWait(0);
  platform.TimedWait(-20);
  EXPECT_LT(clock.NowMs() - before, 50);
}

// A thumb held still: its loop pumps with nothing to draw and must sleep, not spin; a held
// graph arrow draws on every turn and must not be slowed by those sleeps.
TEST_F(Win32PlatformTest, PumpingWithNothingDrawnSleepsPumpingWhileDrawingDoesNot) {
  const testing::PumpPacingFigures figures = testing::MeasurePumpPacing(platform, ThreadCpuMs);
  EXPECT_LT(figures.idleCpuMs, 100);
  EXPECT_GT(figures.idleTurns, 4);  // it still comes back to its caller
  EXPECT_GT(figures.drawingTurns, testing::kDrawingTurnsAtLeast);
}

// Our own message boxes are captioned with the name the program was started under.
TEST_F(Win32PlatformTest, ApplicationNameIsTheProgramsFileName) {
  EXPECT_EQ(platform.ApplicationName(), "win32_tests");
}

// A name typed without an extension gets the one of the type chosen in the list.
TEST_F(Win32PlatformTest, TheSaveChooserOffersTheTypesAndNamesTheChosenOne) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::string typed = Utf8(folder) + "oxi_save_chooser_test";
  std::string proposed;
  InsideModalLoop user([&] {
    HWND chooser = ThreadDialog();
    if (!chooser) return false;
    wchar_t name[MAX_PATH] = {};
    GetDlgItemTextW(chooser, cmb13, name, MAX_PATH);
    proposed = Utf8(name);
    // The second type, then a name of its own.
    HWND types = GetDlgItem(chooser, cmb1);
    SendMessageW(types, CB_SETCURSEL, 1, 0);
    for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK}) {
      SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(cmb1, notification),
                   reinterpret_cast<LPARAM>(types));
    }
    SetDlgItemTextW(chooser, cmb13, Wide(typed).c_str());
    PostMessageW(chooser, WM_COMMAND, IDOK, 0);
    return true;
  });
  const std::optional<SaveFileChoice> choice = platform.ChooseSaveFile(
      "2008_0315_0905.csv", {{"csv(*.csv)", "csv"}, {"SNIRF (*.snirf)", "snirf"}});
  EXPECT_EQ(proposed, "2008_0315_0905.csv");
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->path, typed + ".snirf");
  EXPECT_EQ(choice->type, 1u);
}

}  // namespace
}  // namespace oxi
