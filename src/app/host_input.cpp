#include "app/host_input.h"

namespace oxi {

void PointerInput::Seen(int x, int y) {
  pointerX_ = x;
  pointerY_ = y;
}

void PointerInput::PointerMove(int x, int y) {
  Seen(x, y);
  pointer_.OnMouseMove(x, y);
}

void PointerInput::LeftDown(int x, int y) {
  Seen(x, y);
  leftHeld_ = true;
  pointer_.OnLButtonDown(x, y);
}

void PointerInput::LeftDoubleClick(int x, int y) {
  Seen(x, y);
  leftHeld_ = true;
}

void PointerInput::LeftUp(int x, int y) {
  Seen(x, y);
  leftHeld_ = false;
  pointer_.OnLButtonUp(x, y);
}

void PointerInput::ReleaseHeld() {
  if (leftHeld_) LeftUp(pointerX_, pointerY_);
}

// Once the window has ended its buffers are gone: nothing may draw any more.
void HostInput::Paint() {
  if (!ended_) handlers_.OnPaint();
}

void HostInput::Activate(bool active) {
  if (!ended_) handlers_.OnActivate(active);
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
  return !ended_ && (!item.needsMeasurement || handlers_.MeasurementShown());
}

void HostInput::MenuCommand(WindowCommand command) {
  if (ended_) return;
  if (command == WindowCommand::kExport) handlers_.OnExportCommand();
  if (command == WindowCommand::kAnalysis && handlers_.MeasurementShown()) {
    handlers_.OnAnalysisCommand();
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

void ToolInput::Close() {
  ReleaseHeld();
  handlers_.OnClose();
}

}  // namespace oxi
