// The input rules both window hosts follow, without a toolkit.
#include "app/host_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/host_test_support.h"

namespace oxi {
namespace {

using Kind = KeyPress::Kind;
using Log = std::vector<std::string>;

class HostInputTest : public ::testing::Test {
 protected:
  testing::RecordingHandlers handlers;
  HostInput input{handlers};
};

TEST_F(HostInputTest, KeysTakenBeforeAnyControl) {
  const struct {
    KeyPress key;
    KeyOutcome outcome;
    Log log;
  } cases[] = {
      {{Kind::kEnter}, KeyOutcome::kTaken, {"enter"}},
      {{Kind::kEnter, 0, true, true}, KeyOutcome::kTaken, {"enter"}},
      {{Kind::kEscape}, KeyOutcome::kEndWindow, {}},
      {{Kind::kLetter, 'P', true}, KeyOutcome::kTaken, {"print"}},
      {{Kind::kLetter, 'S', true}, KeyOutcome::kTaken, {"save"}},
      {{Kind::kLetter, 'S', true, true}, KeyOutcome::kTaken, {}},  // a held key's repeat
      {{Kind::kLetter, 'S', false}, KeyOutcome::kPass, {}},        // Shift or Alt too, or no Ctrl
      {{Kind::kLetter, 'Q', true}, KeyOutcome::kPass, {}},
      {{Kind::kOther}, KeyOutcome::kPass, {}},
  };
  for (const auto& c : cases) {
    handlers.log.clear();
    EXPECT_EQ(input.Key(c.key), c.outcome) << static_cast<int>(c.key.kind) << c.key.letter;
    EXPECT_EQ(handlers.log, c.log) << static_cast<int>(c.key.kind) << c.key.letter;
  }
}

// The second press of a double click does nothing; every release arrives, also one whose
// press the window never saw.
TEST_F(HostInputTest, NoDoubleClickAndEveryRelease) {
  input.LeftDown(1, 2);
  input.LeftUp(1, 2);
  input.LeftDoubleClick(1, 2);
  EXPECT_TRUE(input.LeftHeld());
  input.LeftUp(1, 2);
  input.LeftUp(5, 6);
  EXPECT_EQ(handlers.log, (Log{"down 1,2", "up 1,2", "up 1,2", "up 5,6"}));
}

// Esc or the close box while a press is held: the release comes first, where the pointer
// was last seen, and once the window has ended nothing draws or exports any more.
TEST_F(HostInputTest, EndingTheWindowReleasesAHeldPressOnceAndStopsDrawing) {
  input.MenuCommand(WindowCommand::kExport);
  input.MenuCommand(WindowCommand::kBackup);
  input.MenuCommand(WindowCommand::kAbout);  // the host's own box
  input.LeftDown(7, 8);
  input.PointerMove(9, 10);
  EXPECT_TRUE(input.Cancel());
  EXPECT_FALSE(input.Cancel());
  EXPECT_TRUE(input.Ended());
  input.Paint();
  input.Activate(true);
  input.MenuCommand(WindowCommand::kExport);
  input.MenuCommand(WindowCommand::kBackup);
  EXPECT_EQ(handlers.log, (Log{"export", "backup", "down 7,8", "move 9,10", "up 9,10", "cancel"}));
}

// The first paint, from an expose or at a new scale, is announced once, and reaches the
// handlers only while the window lives.
TEST_F(HostInputTest, TheFirstPaintIsAnnouncedOnce) {
  for (bool byScale : {false, true}) {
    testing::RecordingHandlers h;
    HostInput in{h};
    EXPECT_FALSE(in.FirstPaintToAnnounce());
    byScale ? in.SetScale(Scale::FromRatio(2)) : in.Paint();
    EXPECT_TRUE(in.FirstPaintToAnnounce());
    in.Paint();
    EXPECT_FALSE(in.FirstPaintToAnnounce());
    in.FirstPaintShown();
    in.Cancel();
    in.FirstPaintShown();
    EXPECT_EQ(h.Count("shown"), 1);
  }
}

// While a download runs the menu's export, trend and backup are grey, as their dialogs and
// the trend's reading of the store would hold the download up.
TEST_F(HostInputTest, TheExportTrendAndBackupWaitForTheDownload) {
  for (bool downloading : {true, false}) {
    handlers.downloading = downloading;
    for (const WindowMenuItem& item : kWindowMenu) {
      const bool opensDialog = item.command == WindowCommand::kExport ||
                               item.command == WindowCommand::kBackup ||
                               item.command == WindowCommand::kTrend;
      if (item.command != WindowCommand::kNone && !item.needsMeasurement) {
        EXPECT_EQ(input.MenuItemEnabled(item), !(downloading && opensDialog));
      }
    }
    input.MenuCommand(WindowCommand::kExport);
    input.MenuCommand(WindowCommand::kBackup);
    input.MenuCommand(WindowCommand::kTrend);
  }
  EXPECT_EQ(handlers.log, (Log{"export", "backup", "trend"}));
}

// The analysis item needs a measurement; once the window has ended no item is offered.
TEST_F(HostInputTest, MenuItemsThatNeedAMeasurementWaitForOne) {
  const WindowMenuItem& exportItem = kWindowMenu[0];
  const WindowMenuItem& analysisItem = kWindowMenu[1];
  ASSERT_EQ(analysisItem.command, WindowCommand::kAnalysis);
  EXPECT_TRUE(input.MenuItemEnabled(exportItem));
  EXPECT_FALSE(input.MenuItemEnabled(analysisItem));
  input.MenuCommand(WindowCommand::kAnalysis);
  handlers.measurementShown = true;
  EXPECT_TRUE(input.MenuItemEnabled(analysisItem));
  input.MenuCommand(WindowCommand::kAnalysis);
  input.Cancel();
  EXPECT_FALSE(input.MenuItemEnabled(exportItem));
  input.MenuCommand(WindowCommand::kAnalysis);
  EXPECT_EQ(handlers.log, (Log{"analysis", "cancel"}));
}

// A tool window takes Enter and Esc before its fields, and nothing else: the main window's
// shortcuts are the fields' letters there. Its close box releases a held press first.
TEST(ToolInputTest, EnterAndEscAreTheWindowsAndACloseReleasesAHeldPress) {
  testing::RecordingToolHandlers handlers;
  ToolInput input(handlers);
  const struct {
    KeyPress key;
    KeyOutcome outcome;
  } cases[] = {
      {{Kind::kEnter}, KeyOutcome::kTaken},
      {{Kind::kEscape}, KeyOutcome::kEndWindow},
      {{Kind::kLetter, 'P', true}, KeyOutcome::kPass},
      {{Kind::kOther}, KeyOutcome::kPass},
  };
  for (const auto& c : cases) EXPECT_EQ(input.Key(c.key), c.outcome);
  input.LeftDown(3, 4);
  input.PointerMove(5, 6);
  input.Close();
  EXPECT_FALSE(input.LeftHeld());
  EXPECT_EQ(handlers.log, (Log{"enter", "down 3,4", "move 5,6", "up 5,6", "close"}));
}

TEST(ProgressCancelTest, TheRequestAndTheButtonFollowTheDownload) {
  ProgressCancel cancel;
  enum class Step { kRequest, kAllow, kForbid, kShown };
  const struct {
    Step step;
    bool requested;
    bool enabled;
  } steps[] = {
      {Step::kRequest, false, false},  // not yet allowed
      {Step::kAllow, false, true},    {Step::kRequest, true, false},
      {Step::kRequest, true, false},  // once is enough
      {Step::kShown, false, true},    // forgotten for the next download
      {Step::kForbid, false, false},  {Step::kRequest, false, false},  // the erase has gone out
  };
  EXPECT_FALSE(cancel.ButtonEnabled());
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    switch (steps[i].step) {
      case Step::kRequest:
        cancel.Request();
        break;
      case Step::kAllow:
        cancel.SetCancellable(true);
        break;
      case Step::kForbid:
        cancel.SetCancellable(false);
        break;
      case Step::kShown:
        cancel.Shown();
        break;
    }
    EXPECT_EQ(cancel.Requested(), steps[i].requested) << "step " << i;
    EXPECT_EQ(cancel.ButtonEnabled(), steps[i].enabled) << "step " << i;
  }
}

}  // namespace
}  // namespace oxi
