#include "app/host_input.h"

namespace oxi {

std::pair<int, int> PointerInput::Seen(int x, int y) {
  pointerX_ = scale_.ToLogical(x);
  pointerY_ = scale_.ToLogical(y);
  return {pointerX_, pointerY_};
}

void PointerInput::PointerMove(int x, int y) {
  const auto [lx, ly] = Seen(x, y);
  pointer_.OnMouseMove(lx, ly);
}

void PointerInput::LeftDown(int x, int y) {
  const auto [lx, ly] = Seen(x, y);
  leftHeld_ = true;
  pointer_.OnLButtonDown(lx, ly);
}

void PointerInput::LeftDoubleClick(int x, int y) {
  Seen(x, y);
  leftHeld_ = true;
}

void PointerInput::LeftUp(int x, int y) {
  const auto [lx, ly] = Seen(x, y);
  leftHeld_ = false;
  pointer_.OnLButtonUp(lx, ly);
}

// The place last seen is logical already: it is not mapped a second time.
void PointerInput::ReleaseHeld() {
  if (!leftHeld_) return;
  leftHeld_ = false;
  pointer_.OnLButtonUp(pointerX_, pointerY_);
}

// Once the window has ended its buffers are gone: nothing may draw any more.
void HostInput::Paint() {
  if (ended_) return;
  handlers_.OnPaint();
  painted_ = true;
}

bool HostInput::FirstPaintToAnnounce() {
  if (!painted_ || paintAnnounced_) return false;
  paintAnnounced_ = true;
  return true;
}

void HostInput::FirstPaintShown() {
  if (!ended_) handlers_.OnFirstPaintShown();
}

void HostInput::Activate(bool active) {
  if (!ended_) handlers_.OnActivate(active);
}

void HostInput::SetScale(Scale scale) {
  if (scale == CurrentScale() || ended_) return;
  SetPointerScale(scale);
  handlers_.OnScaleChanged(scale);
  painted_ = true;
}

KeyOutcome HostInput::Key(const KeyPress& key) {
  switch (key.kind) {
    case KeyPress::Kind::kEnter:
      handlers_.OnEnterKey();
      return KeyOutcome::kTaken;
    case KeyPress::Kind::kEscape:
      return KeyOutcome::kEndWindow;
    case KeyPress::Kind::kLetter:
      if (!key.controlOnly) return KeyOutcome::kPass;
      for (const CommandShortcut& shortcut : kCommandShortcuts) {
        if (shortcut.letter != key.letter) continue;
        if (!key.repeat) handlers_.OnCommandKey(shortcut.command);
        return KeyOutcome::kTaken;
      }
      return KeyOutcome::kPass;
    case KeyPress::Kind::kOther:
      break;
  }
  return KeyOutcome::kPass;
}

bool HostInput::MenuItemEnabled(const WindowMenuItem& item) const {
  // These open a dialog or read the whole store, which waits until the download is done.
  const bool opensDialog = item.command == WindowCommand::kExport ||
                           item.command == WindowCommand::kBackup ||
                           item.command == WindowCommand::kTrend;
  return !ended_ && (!item.needsMeasurement || handlers_.MeasurementShown()) &&
         (!opensDialog || !handlers_.Downloading());
}

void HostInput::MenuCommand(WindowCommand command) {
  if (ended_) return;
  for (const WindowMenuItem& item : kWindowMenu) {
    if (item.command != command || !MenuItemEnabled(item)) continue;
    if (command == WindowCommand::kExport) handlers_.OnExportCommand();
    if (command == WindowCommand::kAnalysis) handlers_.OnAnalysisCommand();
    if (command == WindowCommand::kBackup) handlers_.OnBackupCommand();
    if (command == WindowCommand::kTrend) handlers_.OnTrendCommand();
  }
}

bool HostInput::Cancel() {
  if (ended_) return false;
  ended_ = true;
  ReleaseHeld();
  handlers_.OnCancel();
  return true;
}

KeyOutcome ToolInput::Key(const KeyPress& key) {
  if (key.kind == KeyPress::Kind::kEnter) {
    handlers_.OnEnterKey();
    return KeyOutcome::kTaken;
  }
  return key.kind == KeyPress::Kind::kEscape ? KeyOutcome::kEndWindow : KeyOutcome::kPass;
}

void ToolInput::SetScale(Scale scale) {
  if (scale == CurrentScale()) return;
  SetPointerScale(scale);
  handlers_.OnScaleChanged(scale);
}

void ToolInput::Close() {
  ReleaseHeld();
  handlers_.OnClose();
}

}  // namespace oxi
