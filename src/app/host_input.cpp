#include "app/host_input.h"

namespace oxi {

// Once the window has ended its buffers are gone: nothing may draw any more.
void HostInput::Paint() {
  if (!ended_) handlers_.OnPaint();
}

void HostInput::Activate(bool active) {
  if (!ended_) handlers_.OnActivate(active);
}

void HostInput::SetScale(Scale scale) {
  if (scale == scale_ || ended_) return;
  scale_ = scale;
  handlers_.OnScaleChanged(scale);
}

std::pair<int, int> HostInput::Seen(int x, int y) {
  pointerX_ = scale_.ToLogical(x);
  pointerY_ = scale_.ToLogical(y);
  return {pointerX_, pointerY_};
}

void HostInput::PointerMove(int x, int y) {
  const auto [lx, ly] = Seen(x, y);
  handlers_.OnMouseMove(lx, ly);
}

void HostInput::LeftDown(int x, int y) {
  const auto [lx, ly] = Seen(x, y);
  leftHeld_ = true;
  handlers_.OnLButtonDown(lx, ly);
}

void HostInput::LeftDoubleClick(int x, int y) {
  Seen(x, y);
  leftHeld_ = true;
}

void HostInput::LeftUp(int x, int y) {
  const auto [lx, ly] = Seen(x, y);
  leftHeld_ = false;
  handlers_.OnLButtonUp(lx, ly);
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

void HostInput::MenuCommand(WindowCommand command) {
  if (ended_ || !MenuItemEnabled(command)) return;
  if (command == WindowCommand::kExport) handlers_.OnExportCommand();
  if (command == WindowCommand::kBackup) handlers_.OnBackupCommand();
}

bool HostInput::MenuItemEnabled(WindowCommand command) const {
  // The export and the backup open a dialog, which would hold a download up.
  const bool opensDialog = command == WindowCommand::kExport || command == WindowCommand::kBackup;
  return !opensDialog || !handlers_.Downloading();
}

bool HostInput::Cancel() {
  if (ended_) return false;
  ended_ = true;
  if (leftHeld_) {
    leftHeld_ = false;
    handlers_.OnLButtonUp(pointerX_, pointerY_);
  }
  handlers_.OnCancel();
  return true;
}

}  // namespace oxi
