#include "platform/ui/scripted_platform.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace oxi {
namespace {

// Handlers that note each call with the virtual time it arrived at.
class Recorder : public WindowHandlers {
 public:
  explicit Recorder(ScriptedPlatform& p) : platform_(p) {}
  void OnPaint() override { Note("paint", 0, 0); }
  void OnScaleChanged(Scale) override { Note("scale", 0, 0); }
  void OnActivate(bool) override { Note("activate", 0, 0); }
  void OnMouseMove(int x, int y) override { Note("move", x, y); }
  void OnLButtonDown(int x, int y) override {
    Note("down", x, y);
    if (onDown) onDown();
  }
  void OnLButtonUp(int x, int y) override { Note("up", x, y); }
  bool OnEnterKey() override {
    Note("enter", 0, 0);
    return true;
  }
  void OnCommandKey(CommandKey) override { Note("command", 0, 0); }
  void OnCancel() override { Note("cancel", 0, 0); }
  void OnExportCommand() override { Note("export", 0, 0); }
  void OnBackupCommand() override { Note("backup", 0, 0); }
  void OnAnalysisCommand() override { Note("analysis", 0, 0); }
  void OnTrendCommand() override { Note("trend", 0, 0); }
  bool MeasurementShown() const override { return false; }

  std::vector<std::string> calls;
  std::function<void()> onDown;

 private:
  void Note(const std::string& what, int x, int y) {
    calls.push_back(what + " " + std::to_string(x) + "," + std::to_string(y) + " @" +
                    std::to_string(platform_.ClockMs()));
  }
  ScriptedPlatform& platform_;
};

TEST(ScriptedPlatform, PumpsDeliverOneDueEventEachAndIdlePumpsMoveTheClock) {
  ScriptedPlatform p;
  Recorder r(p);
  p.SetTarget(&r);
  p.idlePumpMs = 5;
  p.QueueMove(1, 2);
  p.QueueDown(3, 4);
  p.QueueUp(5, 6, 12);
  p.PumpOneMessage();
  EXPECT_EQ(r.calls, (std::vector<std::string>{"move 1,2 @0"}));
  p.PumpOneMessage();
  EXPECT_EQ(r.calls.back(), "down 3,4 @0");
  // The release is not due yet: each pump until then only moves the clock on.
  p.PumpOneMessage();
  p.PumpOneMessage();
  EXPECT_EQ(r.calls.size(), 2u);
  EXPECT_EQ(p.ClockMs(), 10);
  p.PumpOneMessage();
  EXPECT_EQ(p.ClockMs(), 15);
  p.PumpOneMessage();
  EXPECT_EQ(r.calls.back(), "up 5,6 @15");
  EXPECT_TRUE(p.QueueEmpty());
}

TEST(ScriptedPlatform, TimedWaitDeliversWhatFallsDueInsideAndEndsOnTime) {
  ScriptedPlatform p;
  Recorder r(p);
  p.SetTarget(&r);
  p.Virtual().AdvanceTo(100);
  p.QueueMove(1, 1, 130);
  p.QueueMove(2, 2, 130);
  p.QueueUp(3, 3, 200);
  p.TimedWait(50);
  EXPECT_EQ(p.ClockMs(), 150);
  EXPECT_EQ(r.calls, (std::vector<std::string>{"move 1,1 @130", "move 2,2 @130"}));
  // An event due after the wait stays queued for later.
  EXPECT_FALSE(p.QueueEmpty());
  p.RunUntilIdle();
  EXPECT_EQ(r.calls.back(), "up 3,3 @200");
}

TEST(ScriptedPlatform, HandlersReenterThroughTheirOwnPumping) {
  ScriptedPlatform p;
  Recorder r(p);
  p.SetTarget(&r);
  // A press handler that waits, during which the release arrives.
  r.onDown = [&] { p.TimedWait(40); };
  p.QueueDown(1, 1, 0);
  p.QueueUp(1, 1, 25);
  p.RunUntilIdle();
  EXPECT_EQ(r.calls, (std::vector<std::string>{"down 1,1 @0", "up 1,1 @25"}));
  EXPECT_EQ(p.ClockMs(), 40);
}

TEST(ScriptedPlatform, PumpingForeverWithNothingQueuedIsReportedAsAHang) {
  ScriptedPlatform p;
  p.maxIdlePumps = 100;
  for (int i = 0; i < 100; ++i) p.PumpOneMessage();
  EXPECT_THROW(p.PumpOneMessage(), std::runtime_error);
}

// A chooser that fills its list and notes what the user picked.
class Chooser : public IdDialogHandlers {
 public:
  void OnShowWindow(ComboBox& combo) override {
    combo.ResetContent();
    for (const char* id : {"00099990000A", "00099990000B", "00099990000C"}) combo.AddString(id);
    combo.SetCurSel(0);
    log.push_back("show " + combo.WindowText());
  }
  void OnSelChange(ComboBox& combo) override { log.push_back("sel " + combo.WindowText()); }
  void OnCloseUp(ComboBox& combo) override { log.push_back("closeup " + combo.WindowText()); }
  std::vector<std::string> log;
};

TEST(ScriptedPlatform, TheIdDialogScriptPlaysAgainstTheHandlersUntilClosed) {
  ScriptedPlatform p;
  p.idDialogScript = {{IdDialogStep::Kind::kSelect, 2},
                      {IdDialogStep::Kind::kCloseUp, 0},
                      {IdDialogStep::Kind::kSelect, 7},
                      {IdDialogStep::Kind::kClose, 0},
                      {IdDialogStep::Kind::kSelect, 1}};
  Chooser chooser;
  p.RunIdDialog(chooser);
  EXPECT_EQ(chooser.log, (std::vector<std::string>{"show 00099990000A", "sel 00099990000C",
                                                   "closeup 00099990000C", "sel "}));
  EXPECT_EQ(p.idDialogRuns, 1);
  EXPECT_EQ(p.idDialogEntries.size(), 3u);
}

TEST(ScriptedPlatform, MessageBoxesAreRecordedEvenWhenOneOpensAnother) {
  ScriptedPlatform p;
  p.onMessageBox = [&](const ScriptedPlatform::Box& box) {
    if (box.text == "first") {
      for (int i = 0; i < 20; ++i) p.ShowMessageBox("nested", "");
    }
    EXPECT_FALSE(box.text.empty());
  };
  p.ShowMessageBox("first", "エラー");
  ASSERT_EQ(p.MessageBoxes().size(), 21u);
  EXPECT_EQ(p.MessageBoxes()[0].caption, "エラー");
}

}  // namespace
}  // namespace oxi
