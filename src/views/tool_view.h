#pragma once
#include <memory>
#include <string>

#include "platform/gdi/dc.h"
#include "platform/gdi/surface.h"
#include "platform/ui/platform.h"

namespace oxi {

// The program's side of a tool window: its surface, its window once made, whether it is
// open. The window is made at the first open and kept, hidden, when it closes, so that no
// handler of it ever runs on a window that is gone; one object stands for one kind of
// window, so each kind is open at most once.
class ToolView : public ToolWindowHandlers {
 public:
  ToolView(Platform& platform, ToolWindowForm form);
  ~ToolView() override;
  ToolView(const ToolView&) = delete;
  ToolView& operator=(const ToolView&) = delete;

  bool IsOpen() const { return open_; }
  // Hides the window, as when the program ends.
  void Close();
  // What the window shows.
  const Surface& Pixels() const { return surface_; }

  // ToolWindowHandlers: the close box hides the window; a new scale draws it anew at it.
  void OnClose() override { open_ = false; }
  void OnScaleChanged(Scale scale) override;

 protected:
  // Makes the window the first time; false where the platform has no windows.
  bool MakeWindow();
  // Shows the made window drawn anew, in front.
  void ShowWindow();
  // Draws the whole surface with Draw and shows it.
  void Redraw();
  virtual void Draw(Dc& dc) = 0;

  // The edit fields, numbered as in its `ToolWindowForm`; empty before the window is made.
  std::string FieldText(int field);
  void SetFieldText(int field, const std::string& text);
  void SetTitle(const std::string& text);
  // A message box over the window, captioned with the program's name.
  void ShowMessageBox(const std::string& text);
  Platform& GetPlatform() { return platform_; }

 private:
  Platform& platform_;
  const ToolWindowForm form_;
  Surface surface_;
  std::unique_ptr<ToolWindow> window_;
  bool open_ = false;
};

}  // namespace oxi
