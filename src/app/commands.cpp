// The Download, Print and Save buttons, the spin arrows of the moving-average field and
// the export, analysis, trend and backup items of the window menu.
#include "app/backup_view.h"
#include "app/buttons.h"
#include "app/download_view.h"
#include "app/main_dialog.h"
#include "app/scroll_bar_geometry.h"
#include "device/download.h"
#include "export/csv_export.h"
#include "export/open_export.h"
#include "graph/print_page.h"
#include "store/dates.h"

namespace oxi {
namespace {

constexpr int kSpinRepeatDelayMs = 200;
constexpr int kSpinRepeatIntervalMs = 100;

// Sets a flag for the length of a scope, so that a press that arrives through a pumped
// message while the command runs finds it set.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void CMainDialog::PressCommandButtons(int x, int y) {
  if (InButton(kDownloadButton, x, y) && !downloading_) {
    DrawButtonNow(ButtonCode(kDownloadButton, kButtonPressed));
    RunDownload();
    state_.downloadButtonState = kButtonPressed;
  }
  // Like the Download button's, these presses do nothing while a download runs.
  if (InButton(kPrintButton, x, y) && !downloading_) {
    DrawButtonNow(ButtonCode(kPrintButton, kButtonPressed));
    RunPrint();
    state_.printButtonState = kButtonPressed;
  }
  if (InButton(kSaveButton, x, y) && !downloading_) {
    DrawButtonNow(ButtonCode(kSaveButton, kButtonPressed));
    RunSave();
    state_.saveButtonState = kButtonPressed;
  }
  if (InButton(kSpinUpButton, x, y)) PressSpin(kSpinUpButton, +1);
  if (InButton(kSpinDownButton, x, y)) PressSpin(kSpinDownButton, -1);
}

void CMainDialog::OnExportCommand() {
  if (downloading_) return;
  OpenFormatExport(platform_, measurement_, state_.screenMode);
}

void CMainDialog::OnBackupCommand() {
  BackupFromMenu(platform_, store_.dataRoot);
}

void CMainDialog::OnAnalysisCommand() {
  if (MeasurementShown()) analysis_.Open();
}

void CMainDialog::OnTrendCommand() {
  if (downloading_) return;
  TrendSubject subject;
  subject.dataRoot = store_.dataRoot;
  subject.device = store_.currentDeviceId;
  subject.year = kFirstCenturyYear + state_.shownYear;
  subject.month = state_.shownMonth;
  subject.parameters = analysis_.Parameters();
  trend_.Open(subject);
}

// A load that failed leaves no samples: there is nothing to analyse until the next one.
bool CMainDialog::MeasurementShown() const {
  return state_.screenMode == kMeasurementShown && measurement_.n > 0;
}

void CMainDialog::OnCommandKey(CommandKey key) {
  // Unlike the Print button, the shortcut prints nothing before a measurement is shown:
  // a key pressed by mistake gives no empty page.
  if (state_.screenMode != kMeasurementShown || downloading_) return;
  if (key == CommandKey::kPrint) RunPrint();
  if (key == CommandKey::kSave) RunSave();
}

void CMainDialog::RunPrint() {
  Print(platform_, measurement_, state_.movingAverageWindow, state_.screenMode, comment_);
}

void CMainDialog::RunSave() {
  CsvExport(platform_, measurement_, state_.screenMode);
}

void CMainDialog::RunDownload() {
  const std::string deviceBefore = store_.currentDeviceId;
  DownloadResult result;
  {
    FlagScope running(downloading_);
    // Once the download has read a device, the month shown then is scanned (a month arrow
    // pressed while the download dispatched messages may have changed it) and drawn at
    // once: the box that asks to unplug the converter follows, and the window behind it
    // must already show what was stored, not wait for the box to close.
    WindowDownloadEvents events(platform_, [this, &deviceBefore] {
      ScanShownMonth();
      ShowDownloadedDevice(deviceBefore);
    });
    result = Download(events, d2xx_, store_);
  }
  OfferBackupAfterDownload(platform_, store_.dataRoot, result);
}

void CMainDialog::ShowDownloadedDevice(const std::string& deviceBefore) {
  // The records listed belong to the device shown before; once the calendar shows another
  // device's month, its rows would name files that are not there.
  if (store_.currentDeviceId != deviceBefore) {
    EmptyDayList();
    DrawDayListNow(0);
    DrawListBar(kLookPlain);
  }
  DrawCalendarNow();
}

void CMainDialog::PressSpin(int control, int direction) {
  int& look = ButtonStateOf(control);
  DrawButtonNow(ButtonCode(control, kButtonPressed));
  look = kButtonPressed;
  StepWindowEdit(direction);
  platform_.TimedWait(kSpinRepeatDelayMs);
  while (look == kButtonPressed) {
    StepWindowEdit(direction);
    platform_.PumpOneMessage();
    platform_.TimedWait(kSpinRepeatIntervalMs);
  }
}

}  // namespace oxi
