#include "device/download.h"

#include <optional>
#include <string>

#include "device/converter_download.h"
#include "platform/text/text_format.h"
#include "res/texts.h"

namespace oxi {
namespace {

// Reads every converter the driver lists, in order, until the user cancels.
void DownloadFromConverters(DownloadEvents& events, D2xx& d2xx, StoreState& store, DWORD count,
                            DownloadResult& result, std::optional<std::string>& lastId,
                            int& lastSectorTotal) {
  events.ShowProgress();
  events.ProgressBar(0);
  for (DWORD index = 0; index < count && !result.cancelled; ++index) {
    const ConverterRun run = DownloadFromConverter(events, d2xx, store, index, result.measurements);
    result.converters.push_back(run.outcome);
    result.cancelled = run.outcome == ConverterOutcome::kCancelled;
    if (run.takenId) lastId = run.takenId;
    lastSectorTotal = run.sectorTotal;
  }
  events.HideProgress();
}

}  // namespace

std::vector<std::filesystem::path> DownloadResult::Records() const {
  std::vector<std::filesystem::path> records;
  for (const MeasurementReport& m : measurements) {
    if (m.record) records.push_back(m.record->path);
  }
  return records;
}

bool DownloadResult::AllReadAndErased() const {
  if (converters.empty()) return false;
  for (ConverterOutcome outcome : converters) {
    if (outcome != ConverterOutcome::kErased && outcome != ConverterOutcome::kNoMeasurements) {
      return false;
    }
  }
  return true;
}

DownloadResult Download(DownloadEvents& events, D2xx& d2xx, StoreState& store) {
  DownloadResult result;
  std::optional<std::string> lastId;
  int lastSectorTotal = 0;
  DWORD count = 0;
  // A store that cannot take records is found out before any monitor is asked for
  // anything: nothing read, no clock set, nothing erased.
  if (const std::error_code problem = PrepareRecordFolder(store.dataRoot)) {
    ReportStoreNotWritable(events, store.dataRoot, problem);
  } else if (d2xx.FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY) != FT_OK || count == 0) {
    events.Message(texts::kDeviceNotRecognised, MessageCaption::kError);
  } else {
    DownloadFromConverters(events, d2xx, store, count, result, lastId, lastSectorTotal);
  }
  if (result.cancelled) {
    events.Message(FormatText(texts::kCancelledFormat, static_cast<int>(result.Records().size())),
                   MessageCaption::kProgram);
  }
  // Without a system sector taken there is no device to switch to: the calendar stays
  // with the device it showed.
  if (lastId) {
    store.currentDeviceId = *lastId;
    events.RecordsChanged();
  }
  if (!result.cancelled)
    events.Pause(lastSectorTotal > 0 ? kPauseAfterDataMs : kPauseWithoutDataMs);
  events.Message(texts::kUnplugUsb, MessageCaption::kUnplug);
  return result;
}

}  // namespace oxi
