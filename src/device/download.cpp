#include "device/download.h"

#include <optional>
#include <string>

#include "device/converter_download.h"
#include "res/texts.h"

namespace oxi {

bool DownloadResult::AllReadAndErased() const {
  if (converters.empty()) return false;
  for (ConverterOutcome outcome : converters) {
    if (outcome != ConverterOutcome::kErased && outcome != ConverterOutcome::kNoMeasurements) {
      return false;
    }
  }
  return true;
}

DownloadResult Download(Platform& platform, D2xx& d2xx, StoreState& store, int shownYear,
                        int shownMonth, std::array<Colorref, 31>& dayTable) {
  DownloadResult result;
  ProgressDialog& dialog = platform.DownloadDialog();
  std::optional<std::string> lastId;
  int lastSectorTotal = 0;
  DWORD count = 0;
  if (d2xx.FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY) != FT_OK || count == 0) {
    platform.ShowMessageBox(texts::kDeviceNotRecognised, texts::kErrorCaption);
  } else {
    dialog.Show();
    dialog.SetBar(0);
    dialog.Repaint();
    for (DWORD index = 0; index < count; ++index) {
      const ConverterRun run = DownloadFromConverter(platform, d2xx, store, index, result.records);
      result.converters.push_back(run.outcome);
      if (run.takenId) lastId = run.takenId;
      lastSectorTotal = run.sectorTotal;
    }
    dialog.Hide();
    dialog.SetStatus(texts::kDownloading);
  }
  // Without a system sector taken there is no device to switch to: the calendar stays
  // with the device it showed.
  if (lastId) {
    store.currentDeviceId = *lastId;
    ScanMonth(store, shownYear, shownMonth, dayTable);
  }
  platform.Sleep(lastSectorTotal > 0 ? kPauseAfterDataMs : kPauseWithoutDataMs);
  platform.ShowMessageBox(texts::kUnplugUsb, texts::kUnplugCaption);
  return result;
}

}  // namespace oxi
