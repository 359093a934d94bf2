#include "win32/about_dialog.h"

#include "app/viewer_log.h"
#include "platform/fs/files.h"
#include "platform/text/text_format.h"
#include "res/build_info.h"
#include "res/texts.h"
#include "win32/resource.h"
#include "win32/win32_text.h"

namespace oxi {
namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* storeFolder = reinterpret_cast<const std::filesystem::path*>(lParam);
      SetWindowTextUtf8(dialog, texts::kProductTitle);
      SetDialogItemTextWidened(dialog, IDC_ABOUT_VERSION,
                               FormatText(texts::kProductVersionFormat, build::kVersion));
      SetDialogItemTextUtf8(dialog, IDC_ABOUT_STORE,
                            FormatText(texts::kAboutStoreFormat, PathToUtf8(*storeFolder).c_str()));
      SetDialogItemTextUtf8(
          dialog, IDC_ABOUT_LOG,
          FormatText(texts::kAboutLogFormat, PathToUtf8(ViewerLogFile(*storeFolder)).c_str()));
      SetDialogItemTextUtf8(dialog, IDOK, texts::kOk);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void ShowAboutBox(HWND owner, const std::filesystem::path& storeFolder) {
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, AboutProc,
                  reinterpret_cast<LPARAM>(&storeFolder));
}

}  // namespace oxi
