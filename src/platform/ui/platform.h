#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/ui/clock.h"
#include "platform/ui/local_time.h"
#include "platform/ui/tool_window.h"

namespace oxi {

// The four painted surfaces of the main window.
enum class SurfaceId { kFace, kGraph, kCalendar, kList };

// The keyboard shortcuts of the command buttons (Ctrl+P, Ctrl+S).
enum class CommandKey { kPrint, kSave };

// What the main window receives from the window system. The handlers re-enter one
// another: a pumped message may run OnMouseMove or OnLButtonUp inside OnLButtonDown.
class WindowHandlers : public PointerHandlers {
 public:
  virtual void OnPaint() = 0;
  // The window's first paint is on the screen: what was left for after it (a scan of a
  // folder of years of records) runs now. The host posts this to itself once it painted.
  virtual void OnFirstPaintShown() {}
  // The window is now shown at another scale (it moved to a screen of another DPI, or
  // the first time it is placed): the surfaces are made anew at it and drawn whole.
  virtual void OnScaleChanged(Scale scale) = 0;
  virtual void OnActivate(bool active) = 0;
  // The Enter key, whatever has the focus. True when the key was consumed.
  virtual bool OnEnterKey() = 0;
  // A command button's shortcut, whatever has the focus.
  virtual void OnCommandKey(CommandKey key) = 0;
  // Esc or the close box: the window ends.
  virtual void OnCancel() = 0;
  // The export item of the window's menu.
  virtual void OnExportCommand() = 0;
  // True while a download runs. Save, Print and the export wait for its end: their dialogs
  // would hold the download up for as long as they are open, out of reach of its Cancel.
  virtual bool Downloading() const { return false; }
  // The backup item of the window's menu.
  virtual void OnBackupCommand() = 0;
  // The analysis item of the window's menu: the analysis window opens, or comes to the
  // front.
  virtual void OnAnalysisCommand() = 0;
  // The trend item of the window's menu: the trend window of the device opens, or comes to
  // the front, over the months around the one shown.
  virtual void OnTrendCommand() = 0;
  // Whether a measurement is shown: the menu's items that need one are offered only then.
  virtual bool MeasurementShown() const = 0;
};

// The progress bar runs from 0 to this.
inline constexpr int kProgressBarMaximum = 100;

// The modeless download-progress window.
class ProgressDialog {
 public:
  virtual ~ProgressDialog() = default;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void SetBar(int percent) = 0;  // 0..kProgressBarMaximum
  virtual void SetStatus(const std::string& text) = 0;
  virtual void SetPercentText(const std::string& text) = 0;
  virtual void Repaint() = 0;  // show the changes at once
  // The user asked to stop the download the dialog shows (its Cancel button or close box;
  // Ctrl-C on a terminal). The window forgets it when shown again. The download looks
  // after every sector, with the messages pumped just before.
  virtual bool CancelRequested() = 0;
  // Whether the user may still stop it: not once the erase has gone to the monitor.
  virtual void SetCancellable(bool cancellable) = 0;
};

// The drop-down list of the device-ID chooser, as its handlers see it.
class ComboBox {
 public:
  virtual ~ComboBox() = default;
  virtual void ResetContent() = 0;
  virtual void AddString(const std::string& text) = 0;
  virtual void SetCurSel(int index) = 0;
  virtual std::string WindowText() const = 0;
};

// The device-ID chooser's behaviour; the window itself belongs to the platform.
class IdDialogHandlers {
 public:
  virtual ~IdDialogHandlers() = default;
  virtual void OnShowWindow(ComboBox& combo) = 0;
  virtual void OnSelChange(ComboBox& combo) = 0;
  virtual void OnCloseUp(ComboBox& combo) = 0;
};

// One entry of the save chooser's list of file types: the text the user reads, with its
// pattern ("csv(*.csv)"), and the extension, without the dot, that stands for it.
struct SaveFileType {
  std::string text;
  std::string extension;
};

// What the user chose in the save chooser: the path, and which of the offered types.
struct SaveFileChoice {
  std::string path;
  std::size_t type = 0;
};

// The services of the window system that the main screen uses. Names that <windows.h>
// would turn into macros (MessageBox, GetWindowText) are avoided here and in ComboBox.
class Platform {
 public:
  virtual ~Platform() = default;

  // Message dispatch inside long operations.
  virtual void PumpOneMessage() = 0;
  // Returns once `ticks` ms have passed on Clock(), dispatching messages meanwhile; it
  // waits for messages rather than spinning.
  virtual void TimedWait(int ticks) = 0;
  virtual Clock& GetClock() = 0;
  std::int64_t ClockMs() { return GetClock().NowMs(); }
  void Sleep(int ms) { GetClock().SleepMs(ms); }
  virtual LocalTime Now() = 0;

  // A modal message box with an OK button.
  virtual void ShowMessageBox(const std::string& text, const std::string& caption) = 0;
  // A modal message box with Yes and No buttons; true for Yes.
  virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
  // Runs the device-ID chooser modally over the given handlers.
  virtual void RunIdDialog(IdDialogHandlers& handlers) = 0;
  // The save-file chooser offering `types` (the first one selected); the chosen path and
  // type, or nothing when cancelled. A name chosen without an extension gets the chosen
  // type's. It asks before overwriting an existing file.
  virtual std::optional<SaveFileChoice> ChooseSaveFile(const std::string& proposedName,
                                                       const std::vector<SaveFileType>& types) = 0;
  // The folder chooser, titled `title`, opened at `initial` (UTF-8; empty: where the
  // system likes); the chosen folder as UTF-8, or nothing when cancelled.
  virtual std::optional<std::string> ChooseFolder(const std::string& title,
                                                  const std::string& initial) = 0;
  // The print dialog for a document of that name (a file output proposes "<name>.pdf");
  // a page context set to A4 landscape, or nothing when cancelled.
  virtual std::unique_ptr<PageDc> ShowPrintDialog(const std::string& documentName) = 0;
  virtual ProgressDialog& DownloadDialog() = 0;

  // The moving-average edit field.
  virtual std::string WindowEditText() = 0;
  virtual void SetWindowEditText(const std::string& text) = 0;

  // A surface changed: show it now.
  virtual void Present(SurfaceId id) = 0;
  // How many pixels of the face's width the main window shows, when its client area is
  // narrower than the face (a frame drawn inside the window's outer size); nothing when
  // it shows the whole width.
  virtual std::optional<int> ShownFaceWidth() { return std::nullopt; }

  // A tool window over `surface` (form.width x form.height), hidden until shown, its input
  // going to `handlers`; both must outlive it. Nothing where there is no window system.
  virtual std::unique_ptr<ToolWindow> CreateToolWindow(const ToolWindowForm& form,
                                                       const Surface& surface,
                                                       ToolWindowHandlers& handlers) = 0;
  // Puts UTF-8 text with lines ending in '\n' on the clipboard, as the system's text; false
  // when the clipboard could not be had.
  virtual bool SetClipboardText(const std::string& text) = 0;
  // The application's name: the caption of its own message boxes.
  virtual std::string ApplicationName() = 0;
};

}  // namespace oxi
