#include "win32/main_window.h"

#include <windowsx.h>

#include "app/host_layout.h"
#include "app/window_commands.h"
#include "platform/fs/files.h"
#include "platform/gdi/win32/gdi_font.h"
#include "platform/text/text_format.h"
#include "res/texts.h"
#include "win32/about_dialog.h"
#include "win32/resource.h"
#include "win32/surface_blit.h"
#include "win32/win32_text.h"
#include "win32/window_input.h"

namespace oxi {
namespace {

// The system menu's commands carry flags in their low four bits.
constexpr WPARAM kSystemCommandMask = 0xFFF0;
// Posted to the window itself after its first paint.
constexpr UINT kFirstPaintShownMessage = WM_APP + 1;

constexpr int ControlId(SurfaceId id) {
  switch (id) {
    case SurfaceId::kGraph:
      return IDC_GRAPH;
    case SurfaceId::kCalendar:
      return IDC_CALENDAR;
    case SurfaceId::kList:
      return IDC_LIST;
    case SurfaceId::kFace:
      break;
  }
  return 0;
}

// Places a control at a logical rectangle of the client area, in device pixels.
void Place(HWND window, const ControlRect& logical, Scale scale) {
  const ControlRect r = host::DeviceRect(logical, scale);
  MoveWindow(window, r.x, r.y, r.width, r.height, TRUE);
}

HICON LoadAppIcon(int sideMetric) {
  const int side = GetSystemMetrics(sideMetric);
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                       IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
}

// A dialog procedure's answer to a message whose result is not its return value.
INT_PTR Answer(HWND dialog, LRESULT result) {
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace

MainWindow::MainWindow(WindowHandlers& handlers, const Surfaces& surfaces)
    : input_(handlers), surfaces_(surfaces) {}

MainWindow::~MainWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (screenFont_) DeleteObject(screenFont_);
  if (bigIcon_) DestroyIcon(bigIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

bool MainWindow::Create(const std::function<void()>& initialise) {
  initialise_ = initialise;
  CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr, DialogProc,
                     reinterpret_cast<LPARAM>(this));
  return hwnd_ != nullptr;
}

HWND MainWindow::View(SurfaceId id) const {
  if (id == SurfaceId::kFace) return hwnd_;
  return GetDlgItem(hwnd_, ControlId(id));
}

HWND MainWindow::WindowEdit() const {
  return GetDlgItem(hwnd_, IDC_WINDOW_EDIT);
}

INT_PTR CALLBACK MainWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    reinterpret_cast<MainWindow*>(lParam)->hwnd_ = hwnd;
  }
  auto* window = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  return window ? window->OnMessage(message, wParam, lParam) : FALSE;
}

INT_PTR MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Initialise();
      return TRUE;  // the focus goes to the edit field, the first control that takes it
    case WM_PAINT:
      Paint();
      return TRUE;
    case kFirstPaintShownMessage:
      input_.FirstPaintShown();
      return TRUE;
    case WM_ERASEBKGND:
      return Answer(hwnd_, TRUE);  // the face covers the whole client area
    case WM_DPICHANGED:
      DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return TRUE;  // placed here: the dialog manager's own scaling would undo it
    case WM_DRAWITEM:
      return DrawControl(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      Pointer(message, lParam);
      return TRUE;
    case WM_ACTIVATE:
      // Minimized, the window shows nothing to draw on.
      input_.Activate(LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam));
      return FALSE;  // the dialog's own handling puts the focus back
    case WM_SYSCOMMAND:
      if ((wParam & kSystemCommandMask) != IDM_ABOUTBOX) return FALSE;
      ShowAboutBox(hwnd_, storeFolder_);
      return TRUE;
    case WM_CONTEXTMENU:
      ShowMenu(lParam);
      return TRUE;
    case WM_HELP:
      return Answer(hwnd_, TRUE);  // F1 opens no help
    case WM_COMMAND:
      // IDCANCEL comes from the close box (and from Esc, were PreTranslate not to take it
      // first). Enter never becomes IDOK: PreTranslate takes it first too.
      if (LOWORD(wParam) == IDCANCEL) Cancel();
      return TRUE;
    case WM_CLOSE:
      Cancel();
      return TRUE;
    default:
      return FALSE;
  }
}

void MainWindow::Initialise() {
  SetWindowTextUtf8(hwnd_, texts::kProductTitle);
  AddAboutItem();
  bigIcon_ = LoadAppIcon(SM_CXICON);
  smallIcon_ = LoadAppIcon(SM_CXSMICON);
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  scale_ = Scale::FromDpi(static_cast<int>(GetDpiForWindow(hwnd_)));
  // The window's outer size is that of the face; its client area shows the face's top
  // left part.
  const ControlRect outer = host::DeviceRect(
      ControlRect{host::kWindowX, host::kWindowY, kFaceWidth, kFaceHeight}, scale_);
  SetWindowPos(hwnd_, nullptr, outer.x, outer.y, outer.width, outer.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
  SetWindowTextUtf8(WindowEdit(), texts::kInitialWindowText);
  if (initialise_) initialise_();
  // The dialog manager gives the field the focus, but setting a text leaves the caret in
  // front of it: select it, so that what the user types first replaces it.
  SendMessageW(WindowEdit(), EM_SETSEL, 0, -1);
  input_.SetScale(scale_);
}

void MainWindow::Layout() {
  for (SurfaceId id : host::kAllSurfaces) {
    if (id != SurfaceId::kFace) Place(View(id), host::RectOf(id), scale_);
  }
  HWND edit = WindowEdit();
  Place(edit, host::kWindowEditRect, scale_);
  HFONT previous = screenFont_;
  screenFont_ = CreateDraftFont(Font{kScreenFace, scale_.ToDevice(host::kScreenFontPixels), 0});
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(screenFont_), TRUE);
  if (previous) DeleteObject(previous);
}

// Another screen's DPI: the window takes the place Windows suggests, which keeps its
// logical size, and everything is placed and drawn anew at the new scale.
void MainWindow::DpiChanged(int dpi, const RECT& suggested) {
  scale_ = Scale::FromDpi(dpi);
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
  input_.SetScale(scale_);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void MainWindow::ShowStoreFolder(const std::filesystem::path& folder) {
  storeFolder_ = folder;
  SetWindowTextUtf8(hwnd_, FormatText(texts::kWindowTitleFormat, texts::kProductTitle,
                                      PathToUtf8(folder).c_str()));
}

void MainWindow::AddAboutItem() {
  const std::wstring about = Wide(texts::kAboutMenuItem);
  HMENU menu = GetSystemMenu(hwnd_, FALSE);
  if (about.empty() || !menu) return;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
}

// Whatever the window system asks to have painted is copied from the face at once; then
// the full repaint draws the face anew, as an expose always does.
void MainWindow::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  ShowSurface(dc, *surfaces_[static_cast<int>(SurfaceId::kFace)]);
  EndPaint(hwnd_, &paint);
  input_.Paint();
  // Posted: it comes once the messages already queued are done.
  if (input_.FirstPaintToAnnounce()) PostMessageW(hwnd_, kFirstPaintShownMessage, 0, 0);
}

bool MainWindow::DrawControl(const DRAWITEMSTRUCT& item) {
  for (SurfaceId id : host::kAllSurfaces) {
    if (id == SurfaceId::kFace || static_cast<int>(item.CtlID) != ControlId(id)) continue;
    ShowSurface(item.hDC, *surfaces_[static_cast<int>(id)]);
    return true;
  }
  return false;
}

void MainWindow::Present(SurfaceId id) {
  HWND view = View(id);
  if (!view) return;
  // The face's context leaves the child controls out (the window clips its children).
  HDC dc = GetDC(view);
  ShowSurface(dc, *surfaces_[static_cast<int>(id)]);
  ReleaseDC(view, dc);
}

// The statics of the surfaces are transparent to the pointer, so every pointer message
// over them arrives here in the window's client coordinates.
void MainWindow::Pointer(UINT message, LPARAM lParam) {
  DeliverPointer(hwnd_, input_, message, lParam);
}

// The window's own menu, as the right button opens it.
void MainWindow::ShowMenu(LPARAM lParam) {
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (at.x == -1 && at.y == -1) GetCursorPos(&at);  // opened from the keyboard
  HMENU menu = CreatePopupMenu();
  for (const WindowMenuItem& item : kWindowMenu) {
    if (item.command == WindowCommand::kNone) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      const UINT state = input_.MenuItemEnabled(item) ? MF_ENABLED : MF_GRAYED;
      AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(item.command),
                  Wide(item.text).c_str());
    }
  }
  const auto command = static_cast<WindowCommand>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr));
  DestroyMenu(menu);
  if (command == WindowCommand::kAbout) ShowAboutBox(hwnd_, storeFolder_);
  input_.MenuCommand(command);
}

bool MainWindow::PreTranslate(MSG& msg) {
  return PreTranslateKeys(
      hwnd_, msg, [this](const KeyPress& key) { return input_.Key(key); }, [this] { Cancel(); });
}

void MainWindow::Cancel() {
  ReleasePointer(hwnd_);
  if (input_.Cancel()) ShowWindow(hwnd_, SW_HIDE);
}

}  // namespace oxi
