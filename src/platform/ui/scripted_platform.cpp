#include "platform/ui/scripted_platform.h"

#include <algorithm>
#include <stdexcept>

#include "res/texts.h"

namespace oxi {

void RecordingProgressDialog::Show() {
  visible = true;
  cancelled = false;
  log.push_back("show");
}

bool RecordingProgressDialog::CancelRequested() {
  if (!cancelled && cancelWhen && cancelWhen(*this)) cancelled = true;
  return cancelled;
}

void RecordingProgressDialog::SetCancellable(bool on) {
  cancellable = on;
  log.push_back(std::string("cancellable ") + (on ? "1" : "0"));
}

void RecordingProgressDialog::Hide() {
  visible = false;
  log.push_back("hide");
}

void RecordingProgressDialog::SetBar(int percent) {
  bar = percent;
  log.push_back("bar " + std::to_string(percent));
}

void RecordingProgressDialog::SetStatus(const std::string& text) {
  status = text;
  log.push_back("status " + text);
}

void RecordingProgressDialog::SetPercentText(const std::string& text) {
  percentText = text;
  log.push_back("percent " + text);
}

namespace {

// The combo box of a scripted device-ID chooser.
class ScriptedCombo : public ComboBox {
 public:
  void ResetContent() override {
    entries.clear();
    selected = -1;
  }
  void AddString(const std::string& text) override { entries.push_back(text); }
  void SetCurSel(int index) override {
    selected = (index >= 0 && index < static_cast<int>(entries.size())) ? index : -1;
  }
  std::string WindowText() const override { return selected < 0 ? "" : entries[selected]; }

  std::vector<std::string> entries;
  int selected = -1;
};

}  // namespace

ScriptedPlatform::ScriptedPlatform() {
  now = LocalTime{2008, 3, 15, 9, 30, 0};
}

void ScriptedPlatform::QueueMove(int x, int y, std::int64_t atMs) {
  Queue({ScriptedEvent::Kind::kMouseMove, x, y, atMs});
}

void ScriptedPlatform::QueueDown(int x, int y, std::int64_t atMs) {
  Queue({ScriptedEvent::Kind::kLButtonDown, x, y, atMs});
}

void ScriptedPlatform::QueueUp(int x, int y, std::int64_t atMs) {
  Queue({ScriptedEvent::Kind::kLButtonUp, x, y, atMs});
}

bool ScriptedPlatform::DeliverDueEvent() {
  if (events_.empty() || events_.front().atMs > clock_.NowMs()) return false;
  ScriptedEvent e = events_.front();
  events_.pop_front();
  idlePumps_ = 0;
  if (e.tool >= 0) {
    DeliverToTool(e);
    return true;
  }
  if (!target_) return true;
  switch (e.kind) {
    case ScriptedEvent::Kind::kMouseMove:
      target_->OnMouseMove(e.x, e.y);
      break;
    case ScriptedEvent::Kind::kLButtonDown:
      target_->OnLButtonDown(e.x, e.y);
      break;
    case ScriptedEvent::Kind::kLButtonUp:
      target_->OnLButtonUp(e.x, e.y);
      break;
    case ScriptedEvent::Kind::kEnter:
      target_->OnEnterKey();
      break;
    case ScriptedEvent::Kind::kPaint:
      target_->OnPaint();
      break;
    case ScriptedEvent::Kind::kActivate:
      target_->OnActivate(true);
      break;
    case ScriptedEvent::Kind::kCancel:
      target_->OnCancel();
      break;
  }
  return true;
}

void ScriptedPlatform::DeliverToTool(const ScriptedEvent& e) {
  const auto index = static_cast<std::size_t>(e.tool);
  ScriptedToolWindow* tool = index < toolWindows.size() ? toolWindows[index] : nullptr;
  // A hidden window receives nothing, as on the screen.
  if (!tool || !tool->shown) return;
  switch (e.kind) {
    case ScriptedEvent::Kind::kMouseMove:
      tool->handlers.OnMouseMove(e.x, e.y);
      break;
    case ScriptedEvent::Kind::kLButtonDown:
      tool->handlers.OnLButtonDown(e.x, e.y);
      break;
    case ScriptedEvent::Kind::kLButtonUp:
      tool->handlers.OnLButtonUp(e.x, e.y);
      break;
    case ScriptedEvent::Kind::kEnter:
      tool->handlers.OnEnterKey();
      break;
    case ScriptedEvent::Kind::kCancel:
      tool->Close();
      break;
    case ScriptedEvent::Kind::kPaint:
    case ScriptedEvent::Kind::kActivate:
      break;
  }
}

void ScriptedPlatform::PumpOneMessage() {
  if (DeliverDueEvent()) return;
  if (++idlePumps_ > maxIdlePumps) {
    throw std::runtime_error("scripted session hung: pumping with nothing left to deliver");
  }
  clock_.SleepMs(idlePumpMs);
}

void ScriptedPlatform::TimedWait(int ticks) {
  const std::int64_t deadline = clock_.NowMs() + ticks;
  while (clock_.NowMs() < deadline) {
    if (DeliverDueEvent()) continue;
    std::int64_t next = deadline;
    if (!events_.empty() && events_.front().atMs < next) next = events_.front().atMs;
    clock_.AdvanceTo(next);
  }
}

void ScriptedPlatform::RunUntilIdle() {
  while (!events_.empty()) {
    clock_.AdvanceTo(events_.front().atMs);
    DeliverDueEvent();
  }
}

void ScriptedPlatform::ShowMessageBox(const std::string& text, const std::string& caption) {
  boxes_.push_back({text, caption});
  // The callback gets its own copy: it may show another box, which grows boxes_.
  const Box shown = boxes_.back();
  if (onMessageBox) onMessageBox(shown);
}

bool ScriptedPlatform::AskYesNo(const std::string& text, const std::string& caption) {
  questions.push_back({text, caption});
  if (yesNoAnswers.empty()) return false;
  const bool yes = yesNoAnswers.front();
  yesNoAnswers.pop_front();
  return yes;
}

std::optional<std::string> ScriptedPlatform::ChooseFolder(const std::string&,
                                                          const std::string& initial) {
  ++folderChooserRuns;
  lastFolderInitial = initial;
  return folderAnswer;
}

void ScriptedPlatform::RunIdDialog(IdDialogHandlers& handlers) {
  ++idDialogRuns;
  ScriptedCombo combo;
  handlers.OnShowWindow(combo);
  for (const IdDialogStep& step : idDialogScript) {
    switch (step.kind) {
      case IdDialogStep::Kind::kSelect:
        combo.SetCurSel(step.index);
        handlers.OnSelChange(combo);
        break;
      case IdDialogStep::Kind::kCloseUp:
        handlers.OnCloseUp(combo);
        break;
      case IdDialogStep::Kind::kClose:
        break;
    }
    if (step.kind == IdDialogStep::Kind::kClose) break;
  }
  idDialogEntries = combo.entries;
}

std::optional<SaveFileChoice> ScriptedPlatform::ChooseSaveFile(
    const std::string& proposedName, const std::vector<SaveFileType>& types) {
  lastProposedSaveName = proposedName;
  lastSaveTypes = types;
  if (!saveFileAnswer) return std::nullopt;
  return SaveFileChoice{*saveFileAnswer, saveTypeAnswer};
}

std::unique_ptr<PageDc> ScriptedPlatform::ShowPrintDialog(const std::string& documentName) {
  lastPrintDocumentName = documentName;
  if (!printDialogAnswer) return nullptr;
  return printDialogAnswer();
}

ScriptedToolWindow::ScriptedToolWindow(ScriptedPlatform& platform, const ToolWindowForm& form,
                                       const Surface& surface, ToolWindowHandlers& handlers)
    : handlers(handlers),
      surface(surface),
      form(form),
      edits(form.edits.size()),
      title(form.title),
      platform_(platform) {
  platform_.toolWindows.push_back(this);
}

ScriptedToolWindow::~ScriptedToolWindow() {
  std::replace(platform_.toolWindows.begin(), platform_.toolWindows.end(),
               static_cast<ScriptedToolWindow*>(this), static_cast<ScriptedToolWindow*>(nullptr));
}

void ScriptedToolWindow::ShowMessageBox(const std::string& text, const std::string& caption) {
  platform_.ShowMessageBox(text, caption);
}

void ScriptedToolWindow::Close() {
  handlers.OnClose();
  shown = false;
}

std::unique_ptr<ToolWindow> ScriptedPlatform::CreateToolWindow(const ToolWindowForm& form,
                                                               const Surface& surface,
                                                               ToolWindowHandlers& handlers) {
  return std::make_unique<ScriptedToolWindow>(*this, form, surface, handlers);
}

bool ScriptedPlatform::SetClipboardText(const std::string& text) {
  if (!clipboardAvailable) return false;
  clipboard = text;
  return true;
}

std::string ScriptedPlatform::ApplicationName() {
  return texts::kApplicationName;
}

}  // namespace oxi
