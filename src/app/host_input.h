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

// The input rules of the main window, the same on every host. A host turns its toolkit's
// events into these calls and does nothing else with them, so that the two hosts cannot
// answer the same input differently. It owns the state the rules need: whether the left
// button is held, where the pointer was last seen, whether the window has ended, and the
// scale the window is shown at. Pointer positions come in device pixels of the client
// area and reach the handlers as the logical pixel drawn there.
class HostInput {
 public:
  explicit HostInput(WindowHandlers& handlers) : handlers_(handlers) {}

  void Paint();
  void Activate(bool active);
  // The window is shown at `scale` from now on (a screen of another DPI): the handlers
  // draw anew at it. Nothing happens when the scale stays the same.
  void SetScale(Scale scale);
  Scale CurrentScale() const { return scale_; }

  void PointerMove(int x, int y);
  void LeftDown(int x, int y);
  // The second press of a double click: the window answers no double-click, so it does
  // nothing, but its release still arrives as a release.
  void LeftDoubleClick(int x, int y);
  // Every release reaches the handlers, also one whose press this window never saw: it
  // ends whatever a press elsewhere began, as a release always does.
  void LeftUp(int x, int y);

  // Taken before any control: Enter never reaches a default button or the edit field, so
  // it can never end the window; a shortcut's repeats do nothing, or a held key would
  // open dialog after dialog.
  KeyOutcome Key(const KeyPress& key);
  // A command of the window's menu that the main screen runs (the about box is the host's).
  // The handlers decide whether there is a measurement to export.
  void MenuCommand(WindowCommand command);
  // Whether the menu shows the item as one that can be chosen: not the export while a
  // download runs.
  bool MenuItemEnabled(WindowCommand command) const;

  // Esc or the close box. A press still held gets its release first: once the window is
  // gone that release can never come, and the press handler's loop would wait for it for
  // ever. True the first time only; the host then takes the window away.
  bool Cancel();
  bool Ended() const { return ended_; }
  bool LeftHeld() const { return leftHeld_; }

 private:
  // Records where the pointer was seen, in logical pixels, and answers that.
  std::pair<int, int> Seen(int x, int y);

  WindowHandlers& handlers_;
  Scale scale_;
  int pointerX_ = 0;  // where the pointer was last seen, in logical client coordinates
  int pointerY_ = 0;
  bool leftHeld_ = false;
  bool ended_ = false;
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
