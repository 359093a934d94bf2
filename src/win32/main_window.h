#pragma once
#include <array>
#include <filesystem>
#include <functional>

#include "app/host_input.h"
#include "platform/gdi/surface.h"
#include "platform/ui/platform.h"
#include "win32/windows_api.h"

namespace oxi {

// The main window on the screen: the dialog of template IDD_MAIN, 1024 x 738 logical pixels
// outside, whose client area shows the face surface, with the graph, calendar and list
// surfaces on owner-drawn statics at their places and the real moving-average edit field.
// The process is per-monitor DPI aware: everything is placed in device pixels at the
// window's DPI, the surfaces are drawn at it, and a move to a screen of another DPI
// places and draws everything anew. It turns the window messages into the main window's
// handlers; the input rules map their device pixels back to logical ones.
class MainWindow {
 public:
  // Indexed by SurfaceId; the surfaces must outlive the window.
  using Surfaces = std::array<const Surface*, 4>;

  MainWindow(WindowHandlers& handlers, const Surfaces& surfaces);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window from its template; `initialise` runs once the window is in place
  // with its controls, before it is first shown (it may run the device-ID chooser). False
  // when the window could not be created.
  bool Create(const std::function<void()>& initialise);

  HWND Handle() const { return hwnd_; }
  // The window that shows the surface: a static for the graph, calendar and list, the
  // main window itself for the face.
  HWND View(SurfaceId id) const;
  HWND WindowEdit() const;

  // Names the store's folder in the title bar and in the about box.
  void ShowStoreFolder(const std::filesystem::path& folder);
  // Shows the surface's current pixels before returning.
  void Present(SurfaceId id);
  // Takes the keys the main window handles whatever has the focus (Enter, Ctrl+P, Ctrl+S,
  // and Esc through the dialog keys), and the dialog keys of its controls. True when `msg`
  // was handled.
  bool PreTranslate(MSG& msg);
  // True once Esc or the close box ended the window; the handlers have run OnCancel.
  bool Ended() const { return input_.Ended(); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Initialise();
  // Places the window, its controls and the edit field's font at the window's DPI.
  void Layout();
  void DpiChanged(int dpi, const RECT& suggested);
  void AddAboutItem();
  void Paint();
  bool DrawControl(const DRAWITEMSTRUCT& item);
  void Pointer(UINT message, LPARAM lParam);
  void ShowMenu(LPARAM lParam);
  void Cancel();

  HostInput input_;
  Surfaces surfaces_;
  std::function<void()> initialise_;
  HWND hwnd_ = nullptr;
  std::filesystem::path storeFolder_;
  HFONT screenFont_ = nullptr;
  Scale scale_;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
};

}  // namespace oxi
