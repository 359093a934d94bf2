#include "win32/win32_platform.h"

#include <cstring>
#include <filesystem>

#include "platform/ui/local_time.h"
#include "res/texts.h"
#include "win32/dialog_place.h"
#include "win32/download_dialog.h"
#include "win32/id_chooser.h"
#include "win32/main_window.h"
#include "win32/tool_window.h"
#include "win32/win32_text.h"
#include "win32/window_input.h"

namespace oxi {
namespace {

// Longest module path the program asks for; Windows paths may exceed MAX_PATH.
constexpr DWORD kModulePathChars = 32768;

}  // namespace

Win32Platform::Win32Platform(Clock& clock) : clock_(clock) {}

Win32Platform::~Win32Platform() = default;

void Win32Platform::AttachWindow(MainWindow& window) {
  window_ = &window;
  if (!progress_) progress_ = std::make_unique<CDLDialog>(window.Handle());
}

void Win32Platform::RunUntilEnded() {
  MSG msg;
  while (window_ && !window_->Ended() && GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
}

void Win32Platform::PumpOneMessage() {
  PumpOne(pacing_.NextPumpWaitMs());
}

void Win32Platform::TimedWait(int ticks) {
  WaitOnClock(clock_, ticks, [this](int leftMs) { PumpOne(leftMs); });
}

void Win32Platform::PumpOne(int waitMs) {
  MSG msg;
  if (waitMs > 0 && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    // Sleeps until something arrives for the thread, or the time is up.
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(waitMs), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return;
  // Nothing in the program posts WM_QUIT; one taken here is dropped.
  if (msg.message == WM_QUIT) return;
  Dispatch(msg);
}

void Win32Platform::Dispatch(MSG& msg) {
  if (window_ && window_->PreTranslate(msg)) return;
  if (progress_ && progress_->PreTranslate(msg)) return;
  // By index: a handler may open another tool window, which lists itself at the end.
  for (std::size_t i = 0; i < toolWindows_.size(); ++i) {
    if (toolWindows_[i]->PreTranslate(msg)) return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

HWND Win32Platform::Owner() const {
  return window_ ? window_->Handle() : nullptr;
}

LocalTime Win32Platform::Now() {
  return CurrentLocalTime();
}

void Win32Platform::ShowMessageBox(const std::string& text, const std::string& caption) {
  RunMessageBox(Owner(), text, caption);
}

void Win32Platform::RunIdDialog(IdDialogHandlers& handlers) {
  RunIdChooser(handlers);
}

ProgressDialog& Win32Platform::DownloadDialog() {
  if (!progress_) progress_ = std::make_unique<CDLDialog>(Owner());
  return *progress_;
}

std::string Win32Platform::WindowEditText() {
  return window_ ? WindowTextUtf8(window_->WindowEdit()) : std::string();
}

void Win32Platform::SetWindowEditText(const std::string& text) {
  if (window_) SetWindowTextUtf8(window_->WindowEdit(), text);
}

void Win32Platform::Present(SurfaceId id) {
  pacing_.Presented();
  if (window_) window_->Present(id);
}

std::optional<int> Win32Platform::ShownFaceWidth() {
  if (!window_) return std::nullopt;
  RECT client;
  GetClientRect(window_->Handle(), &client);
  return client.right;
}

std::unique_ptr<ToolWindow> Win32Platform::CreateToolWindow(const ToolWindowForm& form,
                                                            const Surface& surface,
                                                            ToolWindowHandlers& handlers) {
  auto window = std::make_unique<Win32ToolWindow>(form, surface, handlers, Owner(), toolWindows_);
  if (!window->Handle()) return nullptr;
  return window;
}

bool Win32Platform::SetClipboardText(const std::string& text) {
  std::wstring wide;
  for (wchar_t c : Wide(text)) {
    if (c == L'\n') wide += L'\r';
    wide += c;
  }
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  std::memcpy(GlobalLock(memory), wide.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(Owner() ? Owner() : GetActiveWindow())) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  // Once set, the memory is the clipboard's.
  const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (!set) GlobalFree(memory);
  CloseClipboard();
  return set;
}

// The name the program was started under: its file name without the extension.
std::string Win32Platform::ApplicationName() {
  std::wstring path(kModulePathChars, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), kModulePathChars));
  const std::string name = Utf8(std::filesystem::path(path).stem().wstring());
  return name.empty() ? texts::kApplicationName : name;
}

}  // namespace oxi
