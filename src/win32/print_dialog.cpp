#include "win32/windows_api.h"
// After windows.h: the common dialogs.
#include <commdlg.h>

#include "win32/gdi_page_dc.h"
#include "win32/win32_platform.h"

namespace oxi {
namespace {

// The page the document is laid out for, A4 landscape, as the dialog first offers it. Both
// fields are marked as set, so that every driver takes them.
void SetA4Landscape(HGLOBAL devMode) {
  if (!devMode) return;
  auto* mode = static_cast<DEVMODEW*>(GlobalLock(devMode));
  if (!mode) return;
  mode->dmPaperSize = DMPAPER_A4;
  mode->dmOrientation = DMORIENT_LANDSCAPE;
  mode->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
  GlobalUnlock(devMode);
}

// The dialog's answers are the caller's to free.
void FreeChoices(PRINTDLGW& dialog) {
  if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
  dialog.hDevMode = dialog.hDevNames = nullptr;
}

}  // namespace

std::unique_ptr<PageDc> Win32Platform::ShowPrintDialog(const std::string&) {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Owner();
  // The default printer's settings, without showing anything, so that the dialog offers
  // A4 landscape from the start.
  dialog.Flags = PD_RETURNDEFAULT;
  if (PrintDlgW(&dialog)) SetA4Landscape(dialog.hDevMode);
  // One document of known pages: nothing to select and no page numbers to choose; copies
  // are the driver's. The file output of a printer driver is no document format the user
  // could open, so it is not offered.
  dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE |
                 PD_HIDEPRINTTOFILE;
  const bool chosen = PrintDlgW(&dialog) && dialog.hDC;
  FreeChoices(dialog);
  if (!chosen) return nullptr;
  // The context has the paper and orientation the user left the dialog on; the page is
  // laid out on its printable area.
  return std::make_unique<GdiPageDc>(dialog.hDC, true);
}

}  // namespace oxi
