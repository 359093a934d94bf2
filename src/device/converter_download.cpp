#include "device/converter_download.h"

#include <cstring>

#include "device/commands.h"
#include "device/measurement_download.h"
#include "device/sector_read.h"
#include "res/texts.h"

namespace oxi {
namespace {

using namespace monitor;

// Only converters whose serial number begins so have a monitor behind them.
constexpr char kMonitorSerialPrefix[] = "Kx47";
constexpr std::size_t kMonitorSerialPrefixLength = sizeof kMonitorSerialPrefix - 1;

struct TableRead {
  bool complete = true;  // every measurement read and stored
  bool gone = false;     // the monitor went away on the way
};

ConverterRun CommunicationError(Platform& platform, ConverterRun run) {
  platform.ShowMessageBox(texts::kCommunicationError, texts::kErrorCaption);
  run.outcome = ConverterOutcome::kCommunicationError;
  return run;
}

// A converter the system did not let us use: the message says what the user can do.
std::string WithAccessHint(const D2xx& d2xx, const char* text) {
  std::string message = text;
  if (d2xx.AccessDenied()) message += std::string("\n") + texts::kNoAccessToDevice;
  return message;
}

TableRead ReadMeasurements(Platform& platform, Link& link, StoreState& store,
                           const SystemSector& system, ConverterRun& run,
                           std::vector<std::filesystem::path>& records) {
  const std::filesystem::path folder = DeviceFolder(store, system.deviceId);
  EnsureFolder(folder);
  run.sectorTotal = 0;
  for (const DataTableEntry& entry : system.table) run.sectorTotal += SectorsFor(entry.sampleCount);
  DownloadProgress progress(platform.DownloadDialog());
  progress.Start(run.sectorTotal);
  const MeasurementSource source{link, progress, system.deviceId, folder, system.ringSize};
  TableRead table;
  for (const DataTableEntry& entry : system.table) {
    const MeasurementOutcome outcome = DownloadMeasurement(source, entry);
    if (outcome.record) records.push_back(*outcome.record);
    table.complete = table.complete && outcome.complete;
    if (outcome.gone) {
      table.gone = true;
      break;
    }
  }
  return table;
}

// The end of a device's work once its clock is set: erase when everything is stored.
ConverterOutcome Finish(Platform& platform, Link& link, const ConverterRun& run,
                        bool tookSystemSector, bool complete) {
  ProgressDialog& dialog = platform.DownloadDialog();
  if (run.sectorTotal == 0) {
    dialog.SetStatus(texts::kNoMeasurements);
    dialog.Repaint();
    return tookSystemSector ? ConverterOutcome::kNoMeasurements : ConverterOutcome::kNoSystemSector;
  }
  if (!complete) {
    platform.ShowMessageBox(texts::kNotErased, texts::kErrorCaption);
    return ConverterOutcome::kNotErased;
  }
  dialog.SetStatus(texts::kFinishing);
  dialog.Repaint();
  const int erase = link.SendCmd(EraseCommand());
  dialog.SetBar(kProgressBarMaximum);
  dialog.Repaint();
  // A monitor that refused or never took the erase still holds its measurements: the run
  // must not look as if it had been emptied. One that acknowledged it but finished late
  // has most likely erased.
  if (link.Lost() || erase == kSendWriteFailed || erase == kSendEraseNak ||
      erase == kSendEraseNoAnswer) {
    platform.ShowMessageBox(texts::kCommunicationError, texts::kErrorCaption);
  }
  return erase == kSendEraseDone || erase == kSendAck ? ConverterOutcome::kErased
                                                      : ConverterOutcome::kEraseFailed;
}

// Reads the monitor on an open link: system sector, measurements, clock, erase.
ConverterRun DownloadFromMonitor(Platform& platform, Link& link, StoreState& store,
                                 std::vector<std::filesystem::path>& records) {
  ConverterRun run;
  const SectorRead first = ReadSector(link, kSystemSectorNumber);
  if (first.status != SectorRead::Status::kOk) return CommunicationError(platform, run);
  const bool isSystem = first.bytes[kTypeOffset] == kSystemSectorType;
  TableRead table;
  if (isSystem) {
    const SystemSector system = DecodeSystemSector(first.bytes);
    // The ID names a folder: anything but letters, digits, '-' and '_' could lead out of
    // the store, so such a sector is taken for a garbled one.
    if (!IsSafeDeviceId(system.deviceId)) return CommunicationError(platform, run);
    run.takenId = system.deviceId;
    table = ReadMeasurements(platform, link, store, system, run, records);
    if (table.gone) return CommunicationError(platform, run);
  }
  link.SendCmd(ClockCommand(platform.Now()));
  if (link.Lost()) return CommunicationError(platform, run);
  run.outcome = Finish(platform, link, run, isSystem, table.complete);
  platform.Sleep(run.sectorTotal > 0 ? kPauseAfterDataMs : kPauseWithoutDataMs);
  return run;
}

}  // namespace

ConverterRun DownloadFromConverter(Platform& platform, D2xx& d2xx, StoreState& store,
                                   std::uint32_t index,
                                   std::vector<std::filesystem::path>& records) {
  char serial[kSerialNumberBufferSize] = {};
  const FT_STATUS listed =
      d2xx.FT_ListDevices(reinterpret_cast<void*>(static_cast<std::uintptr_t>(index)), serial,
                          FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER);
  if (listed != FT_OK ||
      std::strncmp(serial, kMonitorSerialPrefix, kMonitorSerialPrefixLength) != 0) {
    platform.ShowMessageBox(WithAccessHint(d2xx, texts::kDeviceNotRecognised),
                            texts::kErrorCaption);
    return {ConverterOutcome::kNotRecognised, std::nullopt, 0};
  }
  Link link(d2xx, platform);
  if (!link.OpenDevice(serial)) {
    platform.ShowMessageBox(WithAccessHint(d2xx, texts::kDeviceNotOpened), texts::kErrorCaption);
    return {ConverterOutcome::kNotOpened, std::nullopt, 0};
  }
  ConverterRun run = DownloadFromMonitor(platform, link, store, records);
  link.Close();
  return run;
}

}  // namespace oxi
