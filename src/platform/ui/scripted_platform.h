#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/platform.h"

namespace oxi {

// One input event of a scripted session, delivered no earlier than `atMs` on the virtual
// clock (0: as soon as it is pumped). With `tool` set it goes to the tool window created
// that many windows after the first, kCancel being its close box; paints and activations
// go to the main window only.
struct ScriptedEvent {
  enum class Kind { kMouseMove, kLButtonDown, kLButtonUp, kEnter, kPaint, kActivate, kCancel };
  Kind kind;
  int x = 0;
  int y = 0;
  std::int64_t atMs = 0;
  int tool = -1;
};

// A step of the device-ID chooser as the user works it.
struct IdDialogStep {
  enum class Kind { kSelect, kCloseUp, kClose } kind;  // kSelect: pick an entry (selchange)
  int index = 0;
};

// The progress window as a list of what was done to it.
class RecordingProgressDialog : public ProgressDialog {
 public:
  void Show() override;
  void Hide() override;
  void SetBar(int percent) override;
  void SetStatus(const std::string& text) override;
  void SetPercentText(const std::string& text) override;
  void Repaint() override { ++repaints; }
  bool CancelRequested() override;
  void SetCancellable(bool on) override;

  // The user's Cancel, pressed as soon as this returns true (asked after every sector).
  std::function<bool(const RecordingProgressDialog&)> cancelWhen;
  bool cancelled = false;
  bool cancellable = false;
  bool visible = false;
  int bar = 0;
  std::string status;
  std::string percentText;
  int repaints = 0;
  // "show", "hide", "bar 33", "status ...", "percent 33%", "cancellable 0"
  std::vector<std::string> log;
};

class ScriptedPlatform;

// A tool window as a record of what was done to it; its edit fields are plain strings a
// test types into.
class ScriptedToolWindow : public ToolWindow {
 public:
  ScriptedToolWindow(ScriptedPlatform& platform, const ToolWindowForm& form, const Surface& surface,
                     ToolWindowHandlers& handlers);
  ~ScriptedToolWindow() override;
  ScriptedToolWindow(const ScriptedToolWindow&) = delete;
  ScriptedToolWindow& operator=(const ScriptedToolWindow&) = delete;

  void Show() override { shown = true; }
  void Hide() override { shown = false; }
  void SetTitle(const std::string& text) override { title = text; }
  void Present() override { ++presents; }
  std::string EditText(int field) override { return edits.at(field); }
  void SetEditText(int field, const std::string& text) override { edits.at(field) = text; }
  void ShowMessageBox(const std::string& text, const std::string& caption) override;

  // The close box, as the host delivers it: the handlers hear of it, then it hides.
  void Close();

  ToolWindowHandlers& handlers;
  const Surface& surface;
  const ToolWindowForm form;
  std::vector<std::string> edits;
  std::string title;
  bool shown = false;
  int presents = 0;

 private:
  ScriptedPlatform& platform_;
};

// The window system of the tests: a queue of events delivered one per pump, a virtual
// clock, recorded message boxes and scripted answers to the choosers.
class ScriptedPlatform : public Platform {
 public:
  ScriptedPlatform();

  void SetTarget(WindowHandlers* target) { target_ = target; }
  void Queue(const ScriptedEvent& event) { events_.push_back(event); }
  void QueueMove(int x, int y, std::int64_t atMs = 0);
  void QueueDown(int x, int y, std::int64_t atMs = 0);
  void QueueUp(int x, int y, std::int64_t atMs = 0);
  bool QueueEmpty() const { return events_.empty(); }
  // Delivers every queued event in order (each only when it is due), like a message loop.
  void RunUntilIdle();

  VirtualClock& Virtual() { return clock_; }
  RecordingProgressDialog& Progress() { return progress_; }

  struct Box {
    std::string text;
    std::string caption;
  };
  const std::vector<Box>& MessageBoxes() const { return boxes_; }
  // Runs when a message box is shown (a test may queue or change things then).
  std::function<void(const Box&)> onMessageBox;

  std::vector<IdDialogStep> idDialogScript;  // played by RunIdDialog, then the dialog ends
  std::vector<std::string> idDialogEntries;  // what the combo box held when it ended
  int idDialogRuns = 0;
  // Yes/no boxes as they were asked, and the answers the user gives in turn (none left:
  // No).
  std::vector<Box> questions;
  std::deque<bool> yesNoAnswers;
  std::optional<std::string> folderAnswer;  // nullopt: the user cancels the folder chooser
  std::string lastFolderInitial;            // where the folder chooser opened last
  int folderChooserRuns = 0;
  std::optional<std::string> saveFileAnswer;  // nullopt: the user cancels
  std::size_t saveTypeAnswer = 0;             // index of the type the user picks
  std::string lastProposedSaveName;
  std::vector<SaveFileType> lastSaveTypes;
  std::function<std::unique_ptr<PageDc>()> printDialogAnswer;  // empty: cancelled
  std::string lastPrintDocumentName;
  std::map<SurfaceId, int> presents;
  LocalTime now;
  // The tool windows in the order they were created; nullptr once one is destroyed.
  std::vector<ScriptedToolWindow*> toolWindows;
  std::string clipboard;
  bool clipboardAvailable = true;  // false: another program holds the clipboard
  // Pumping without a due event moves the clock on by this much, so loops that pump
  // until a later event arrives make progress on virtual time.
  std::int64_t idlePumpMs = 1;
  // Pumps with nothing left to deliver before the session is declared hung.
  std::int64_t maxIdlePumps = 10'000'000;

  // Platform
  void PumpOneMessage() override;
  void TimedWait(int ticks) override;
  Clock& GetClock() override { return clock_; }
  LocalTime Now() override { return now; }
  void ShowMessageBox(const std::string& text, const std::string& caption) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  void RunIdDialog(IdDialogHandlers& handlers) override;
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& initial) override;
  std::optional<SaveFileChoice> ChooseSaveFile(const std::string& proposedName,
                                               const std::vector<SaveFileType>& types) override;
  std::unique_ptr<PageDc> ShowPrintDialog(const std::string& documentName) override;
  ProgressDialog& DownloadDialog() override { return progress_; }
  std::string WindowEditText() override { return editText_; }
  void SetWindowEditText(const std::string& text) override { editText_ = text; }
  void Present(SurfaceId id) override { ++presents[id]; }
  std::unique_ptr<ToolWindow> CreateToolWindow(const ToolWindowForm& form, const Surface& surface,
                                               ToolWindowHandlers& handlers) override;
  bool SetClipboardText(const std::string& text) override;
  std::string ApplicationName() override;

 private:
  bool DeliverDueEvent();
  void DeliverToTool(const ScriptedEvent& e);

  WindowHandlers* target_ = nullptr;
  std::deque<ScriptedEvent> events_;
  VirtualClock clock_;
  RecordingProgressDialog progress_;
  std::vector<Box> boxes_;
  std::string editText_ = "1";
  std::int64_t idlePumps_ = 0;
};

}  // namespace oxi
