#include "win32/tool_window.h"

#include <algorithm>

#include "app/host_layout.h"
#include "platform/gdi/win32/gdi_font.h"
#include "win32/surface_blit.h"
#include "win32/win32_text.h"
#include "win32/window_input.h"

namespace oxi {
namespace {

constexpr const wchar_t* kClassName = L"OxiViewToolWindow";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
// The edit fields' control IDs count from here.
constexpr int kFirstEditId = 100;

// The class of every tool window, registered once.
void RegisterToolClass() {
  static const bool registered = [] {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = DefWindowProcW;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.lpszClassName = kClassName;
    return RegisterClassExW(&c) != 0;
  }();
  (void)registered;
}

}  // namespace

Win32ToolWindow::Win32ToolWindow(const ToolWindowForm& form, const Surface& surface,
                                 ToolWindowHandlers& handlers, HWND owner,
                                 std::vector<Win32ToolWindow*>& openWindows)
    : form_(form), surface_(surface), input_(handlers), openWindows_(openWindows) {
  RegisterToolClass();
  hwnd_ =
      CreateWindowExW(0, kClassName, Wide(form.title).c_str(), kStyle, form.x, form.y, form.width,
                      form.height, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc));
  for (std::size_t i = 0; i < form.edits.size(); ++i) {
    edits_.push_back(
        CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", kEditStyle, 0, 0, 0, 0, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstEditId + i)),
                        GetModuleHandleW(nullptr), nullptr));
  }
  // The window opens at the DPI of the screen it is on, its client area the surface's.
  const UINT dpi = GetDpiForWindow(hwnd_);
  const Scale scale = Scale::FromDpi(static_cast<int>(dpi));
  RECT outer{0, 0, scale.ToDevice(form.width), scale.ToDevice(form.height)};
  AdjustWindowRectExForDpi(&outer, kStyle, FALSE, 0, dpi);
  SetWindowPos(hwnd_, nullptr, scale.ToDevice(form.x), scale.ToDevice(form.y),
               outer.right - outer.left, outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout(scale);
  openWindows_.push_back(this);
}

Win32ToolWindow::~Win32ToolWindow() {
  std::erase(openWindows_, this);
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (font_) DeleteObject(font_);
}

// The fields and their font at `scale`; the surface follows through the handlers.
void Win32ToolWindow::Layout(Scale scale) {
  HFONT previous = font_;
  font_ = CreateDraftFont(Font{kScreenFace, scale.ToDevice(host::kScreenFontPixels), 0});
  for (std::size_t i = 0; i < edits_.size(); ++i) {
    const ToolRect& r = form_.edits[i];
    const ControlRect at = host::DeviceRect(ControlRect{r.x, r.y, r.width, r.height}, scale);
    MoveWindow(edits_[i], at.x, at.y, at.width, at.height, TRUE);
    SendMessageW(edits_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  if (previous) DeleteObject(previous);
  input_.SetScale(scale);
}

LRESULT CALLBACK Win32ToolWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* window = reinterpret_cast<Win32ToolWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!window) return DefWindowProcW(hwnd, message, wParam, lParam);
  return window->OnMessage(message, wParam, lParam);
}

LRESULT Win32ToolWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the surface covers the whole client area
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      DeliverPointer(hwnd_, input_, message, lParam);
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DPICHANGED: {
      // Another screen's DPI: the place Windows suggests keeps the logical size.
      const RECT& r = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Layout(Scale::FromDpi(HIWORD(wParam)));
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    }
    case WM_ACTIVATE:
      KeepFocus(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_NCDESTROY: {
      // The main window went first and took its owned windows with it.
      HWND gone = hwnd_;
      hwnd_ = nullptr;
      edits_.clear();
      focus_ = nullptr;
      return DefWindowProcW(gone, message, wParam, lParam);
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// The field that had the focus gets it back when the window is active again, as in a
// dialog; at first the first field has it.
void Win32ToolWindow::KeepFocus(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    if (IsChild(hwnd_, focus)) focus_ = focus;
    return;
  }
  if (!focus_ && !edits_.empty()) focus_ = edits_.front();
  SetFocus(focus_ ? focus_ : hwnd_);
}

void Win32ToolWindow::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  ShowSurface(dc, surface_);
  EndPaint(hwnd_, &paint);
}

void Win32ToolWindow::Close() {
  ReleasePointer(hwnd_);
  input_.Close();
  ShowWindow(hwnd_, SW_HIDE);
}

bool Win32ToolWindow::PreTranslate(MSG& msg) {
  return PreTranslateKeys(
      hwnd_, msg, [this](const KeyPress& key) { return input_.Key(key); }, [this] { Close(); });
}

void Win32ToolWindow::Show() {
  if (!hwnd_) return;
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void Win32ToolWindow::Hide() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void Win32ToolWindow::SetTitle(const std::string& text) {
  if (hwnd_) SetWindowTextUtf8(hwnd_, text);
}

void Win32ToolWindow::Present() {
  if (!hwnd_ || !IsWindowVisible(hwnd_)) return;
  HDC dc = GetDC(hwnd_);
  ShowSurface(dc, surface_);
  ReleaseDC(hwnd_, dc);
}

HWND Win32ToolWindow::Edit(int field) const {
  const auto index = static_cast<std::size_t>(field);
  return index < edits_.size() ? edits_[index] : nullptr;
}

std::string Win32ToolWindow::EditText(int field) {
  HWND edit = Edit(field);
  return edit ? WindowTextUtf8(edit) : std::string();
}

void Win32ToolWindow::SetEditText(int field, const std::string& text) {
  if (HWND edit = Edit(field)) SetWindowTextUtf8(edit, text);
}

void Win32ToolWindow::ShowMessageBox(const std::string& text, const std::string& caption) {
  RunMessageBox(hwnd_, text, caption);
}

}  // namespace oxi
