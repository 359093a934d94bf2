#pragma once
#include <utility>

#include "app/window_commands.h"
#include "platform/ui/platform.h"

namespace oxi {

// A key press as a host reads it from its toolkit, before any control sees it.
struct KeyPress {
  enum class Kind { kOther, kEnter, kEscape, kLetter };
  Kind kind = Kind::kOther;
  char letter = 0;           // kLetter: upper case, as both hosts name the letter keys
  bool controlOnly = false;  // Ctrl is held, and no other modifier
  bool repeat = false;       // a held key's repeat
};

// What the host does with a key once the rules have seen it.
enum class KeyOutcome {
  kPass,       // not the main window's: the focused control has it
  kTaken,      // handled; no control sees it
  kEndWindow,  // Esc: the host ends the window as its close box does (then calls Cancel)
};

// The pointer as every window of the program has it, the same on every host: where it was
// last seen and whether the left button is held. The second press of a double click does
// nothing (no window answers double-clicks), but its release still arrives as a release;
// every release reaches the handlers, also one whose press this window never saw: it ends
// whatever a press elsewhere began, as a release always does. Positions come in device
// pixels of the client area and reach the handlers as the logical pixel drawn there.
class PointerInput {
 public:
  explicit PointerInput(PointerHandlers& handlers) : pointer_(handlers) {}

  void PointerMove(int x, int y);
  void LeftDown(int x, int y);
  void LeftDoubleClick(int x, int y);
  void LeftUp(int x, int y);
  bool LeftHeld() const { return leftHeld_; }
  Scale CurrentScale() const { return scale_; }

 protected:
  // Positions come at `scale` from now on.
  void SetPointerScale(Scale scale) { scale_ = scale; }
  // The window goes: a press still held gets its release where the pointer was last seen,
  // since once the window is gone that release can never come, and a loop waiting for it
  // would wait for ever.
  void ReleaseHeld();

 private:
  // Records where the pointer was seen, in logical pixels, and answers that.
  std::pair<int, int> Seen(int x, int y);

  PointerHandlers& pointer_;
  Scale scale_;
  int pointerX_ = 0;  // where the pointer was last seen, in logical client coordinates
  int pointerY_ = 0;
  bool leftHeld_ = false;
};

// The input rules of the main window, the same on every host. A host turns its toolkit's
// events into these calls and does nothing else with them, so that the two hosts cannot
// answer the same input differently. It owns the state the rules need: the pointer's, and
// whether the window has ended.
class HostInput : public PointerInput {
 public:
  explicit HostInput(WindowHandlers& handlers) : PointerInput(handlers), handlers_(handlers) {}

  void Paint();
  // True once, after the window first painted (an expose or a new scale): the host then
  // posts itself a call of FirstPaintShown, which runs once that paint is on the screen.
  bool FirstPaintToAnnounce();
  void FirstPaintShown();
  void Activate(bool active);
  // The window is shown at `scale` from now on (a screen of another DPI): the handlers
  // draw anew at it. Nothing happens when the scale stays the same.
  void SetScale(Scale scale);

  // Taken before any control: Enter never reaches a default button or the edit field, so
  // it can never end the window; a shortcut's repeats do nothing, or a held key would
  // open dialog after dialog.
  KeyOutcome Key(const KeyPress& key);
  // Whether the menu offers `item` now: one that needs a measurement only while one is
  // shown, so the analysis never opens over nothing; one that opens a dialog (the export,
  // the backup) not while a download runs, which the dialog would hold up out of reach of
  // its Cancel.
  bool MenuItemEnabled(const WindowMenuItem& item) const;
  // A command of the window's menu that the main screen runs (the about box is the host's),
  // when the menu offers it. The handlers decide whether there is a measurement to export.
  void MenuCommand(WindowCommand command);

  // Esc or the close box. A press still held gets its release first. True the first time
  // only; the host then takes the window away.
  bool Cancel();
  bool Ended() const { return ended_; }

 private:
  WindowHandlers& handlers_;
  bool ended_ = false;
  bool painted_ = false;
  bool paintAnnounced_ = false;
};

// The input rules of a tool window, the same on every host: the pointer as the main
// window has it, Enter taken before the edit fields (it never reaches a default button),
// Esc as the close box.
class ToolInput : public PointerInput {
 public:
  explicit ToolInput(ToolWindowHandlers& handlers) : PointerInput(handlers), handlers_(handlers) {}

  // kTaken for Enter, kEndWindow for Esc (the host then closes the window as its close box
  // does), kPass for the rest, which the focused edit field has.
  KeyOutcome Key(const KeyPress& key);
  // The close box, or Esc: a press still held is released first; then the handlers hear
  // of it and the host hides the window.
  void Close();
  // As the main window's: positions come at `scale`, and the handlers draw anew at it.
  void SetScale(Scale scale);

 private:
  ToolWindowHandlers& handlers_;
};

// The Cancel button of the download-progress window, and its close box, which does the
// same: the request the download reads after every sector, and whether the button is
// enabled. The host shows ButtonEnabled() after each of these calls.
class ProgressCancel {
 public:
  // The window is shown for another download: the last one's request is forgotten.
  void Shown() { requested_ = false; }
  // Whether the user may still stop the download: not once the erase has gone out.
  void SetCancellable(bool cancellable) { cancellable_ = cancellable; }
  // The button or the close box. Once is enough: the button stays grey until the download
  // has stopped.
  void Request() {
    if (cancellable_) requested_ = true;
  }
  bool Requested() const { return requested_; }
  bool ButtonEnabled() const { return cancellable_ && !requested_; }

 private:
  bool cancellable_ = false;
  bool requested_ = false;
};

}  // namespace oxi
