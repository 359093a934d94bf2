#include "device/converter_download.h"

#include <algorithm>
#include <cstring>

#include "device/commands.h"
#include "device/measurement_download.h"
#include "device/sector_read.h"
#include "platform/text/text_format.h"
#include "res/texts.h"
#include "store/damage_note.h"

namespace oxi {
namespace {

using namespace monitor;

// Only converters whose serial number begins so have a monitor behind them.
constexpr char kMonitorSerialPrefix[] = "Kx47";
constexpr std::size_t kMonitorSerialPrefixLength = sizeof kMonitorSerialPrefix - 1;

struct TableRead {
  std::filesystem::path folder;
  int incomplete = 0;                         // measurements the store does not hold all of
  bool gone = false;                          // the monitor went away on the way
  bool cancelled = false;                     // the user stopped the download
  std::optional<std::error_code> writeError;  // why the first record could not be written
};

ConverterRun CommunicationError(DownloadEvents& events, ConverterRun run) {
  events.Message(texts::kCommunicationError, MessageCaption::kError);
  run.outcome = ConverterOutcome::kCommunicationError;
  return run;
}

// A converter the system did not let us use: the message says what the user can do.
std::string WithAccessHint(const D2xx& d2xx, const char* text) {
  std::string message = text;
  if (d2xx.AccessDenied()) message += std::string("\n") + texts::kNoAccessToDevice;
  return message;
}

ConverterRun Ended(ConverterRun run, ConverterOutcome outcome) {
  run.outcome = outcome;
  return run;
}

// True when the reading stopped at a damaged sector and gave what an earlier reading gave:
// byte for byte the record the store holds, or, for a damaged head, which gives no record,
// the head sector's bytes noted then. The damage is then in the monitor's memory and
// reading again would bring nothing more.
bool SecondReadingOfDamage(const MeasurementOutcome& outcome) {
  if (outcome.end != MeasurementEnd::kDamaged) return false;
  if (outcome.damagedHead) return *outcome.damagedHead == DamageReading::kSecond;
  return outcome.record && outcome.record->how == StoredAs::kAlreadyStored;
}

// Whether the store now holds all the monitor can give of the measurement: every sector
// was read, or the same damage was read a second time. A reading earlier in this same run
// is no earlier reading: the data table listed the measurement twice.
bool CountsAsComplete(const MeasurementOutcome& outcome, const MeasurementReport& report,
                      const std::vector<MeasurementReport>& earlier) {
  if (outcome.end == MeasurementEnd::kWhole) return outcome.record.has_value();
  if (!SecondReadingOfDamage(outcome)) return false;
  return std::none_of(earlier.begin(), earlier.end(), [&](const MeasurementReport& r) {
    const bool sameHead = report.damagedHead && r.damagedHead && r.deviceId == report.deviceId &&
                          r.firstSector == report.firstSector;
    const bool sameRecord =
        outcome.record && r.record && r.record->path == outcome.record->path &&
        (r.record->how == StoredAs::kNew || r.record->how == StoredAs::kExtended);
    return sameHead || sameRecord;
  });
}

MeasurementReport StartReport(const SystemSector& system, std::size_t index) {
  MeasurementReport report;
  report.deviceId = system.deviceId;
  report.tableIndex = static_cast<int>(index);
  report.firstSector = system.table[index].firstSector;
  report.announcedSamples = system.table[index].sampleCount;
  return report;
}

TableRead ReadMeasurements(DownloadEvents& events, Link& link, DownloadProgress& progress,
                           const SystemSector& system, const std::filesystem::path& folder,
                           ConverterRun& run, std::vector<MeasurementReport>& reports) {
  run.sectorTotal = 0;
  for (const DataTableEntry& entry : system.table) run.sectorTotal += SectorsFor(entry.sampleCount);
  progress.Start(run.sectorTotal);
  const MeasurementSource source{link,   progress,        system.deviceId,
                                 folder, system.ringSize, events.LocalNow()};
  TableRead table;
  table.folder = folder;
  std::size_t next = 0;
  for (; next < system.table.size() && !table.gone && !table.cancelled; ++next) {
    if (progress.CancelRequested()) {
      table.cancelled = true;
      break;
    }
    const MeasurementOutcome outcome = DownloadMeasurement(source, system.table[next]);
    MeasurementReport report = StartReport(system, next);
    report.samplesRead = outcome.samplesRead;
    report.end = outcome.end;
    report.record = outcome.record;
    report.undated = outcome.undated;
    report.damagedHead = outcome.damagedHead.has_value();
    report.complete = CountsAsComplete(outcome, report, reports);
    reports.push_back(report);
    if (!report.complete) ++table.incomplete;
    if (outcome.writeFailed && !table.writeError) table.writeError = outcome.writeError;
    table.gone = outcome.end == MeasurementEnd::kGone;
    table.cancelled = outcome.end == MeasurementEnd::kCancelled;
  }
  // The measurements never come to stay on the monitor as they are.
  for (; next < system.table.size(); ++next) reports.push_back(StartReport(system, next));
  return table;
}

// The end of a device's work once its clock is set: erase when everything is stored.
ConverterOutcome Finish(DownloadEvents& events, Link& link, const ConverterRun& run,
                        bool tookSystemSector, const TableRead& table) {
  if (run.sectorTotal == 0) {
    events.ProgressStatus(texts::kNoMeasurements);
    return tookSystemSector ? ConverterOutcome::kNoMeasurements : ConverterOutcome::kNoSystemSector;
  }
  if (table.incomplete > 0) {
    if (table.writeError) ReportStoreNotWritable(events, table.folder, *table.writeError);
    events.Message(FormatText(texts::kNotErasedFormat, table.incomplete), MessageCaption::kError);
    return ConverterOutcome::kNotErased;
  }
  events.ProgressStatus(texts::kFinishing);
  const int erase = link.SendCmd(EraseCommand());
  events.ProgressBar(kProgressDone);
  // A monitor that refused or never took the erase still holds its measurements: the run
  // must not look as if it had been emptied. One that acknowledged it but finished late
  // has most likely erased.
  if (link.Lost() || erase == kSendWriteFailed || erase == kSendEraseNak ||
      erase == kSendEraseNoAnswer) {
    events.Message(texts::kCommunicationError, MessageCaption::kError);
  }
  if (erase != kSendEraseDone && erase != kSendAck) return ConverterOutcome::kEraseFailed;
  ForgetDamagedHeads(table.folder);
  return ConverterOutcome::kErased;
}

// Reads the monitor on an open link: system sector, measurements, clock, erase.
ConverterRun DownloadFromMonitor(DownloadEvents& events, Link& link, StoreState& store,
                                 std::vector<MeasurementReport>& reports) {
  ConverterRun run;
  events.CancelAllowed(true);
  DownloadProgress progress(events);
  const SectorRead first = ReadSector(link, kSystemSectorNumber);
  if (first.status != SectorRead::Status::kOk) return CommunicationError(events, run);
  const bool isSystem = first.bytes[kTypeOffset] == kSystemSectorType;
  TableRead table;
  if (isSystem) {
    const SystemSector system = DecodeSystemSector(first.bytes);
    // The ID names a folder: one that could lead out of the store, or would not name the
    // same folder everywhere, is refused before anything else happens.
    if (!IsSafeDeviceId(system.deviceId)) {
      events.Message(texts::kDeviceIdRefused, MessageCaption::kError);
      return Ended(run, ConverterOutcome::kIdRefused);
    }
    const std::filesystem::path folder = DeviceFolder(store, system.deviceId);
    if (const std::error_code problem = PrepareRecordFolder(folder)) {
      ReportStoreNotWritable(events, folder, problem);
      return Ended(run, ConverterOutcome::kStoreNotWritable);
    }
    // Where folder names ignore case (Windows), a stored device whose ID differs only in
    // case would lend its folder: its records and this monitor's would mix.
    if (!EnsureDeviceFolder(store, system.deviceId)) {
      events.Message(texts::kDeviceIdRefused, MessageCaption::kError);
      return Ended(run, ConverterOutcome::kIdRefused);
    }
    run.takenId = system.deviceId;
    table = ReadMeasurements(events, link, progress, system, folder, run, reports);
    if (table.gone) return CommunicationError(events, run);
  }
  if (table.cancelled || progress.CancelRequested()) {
    return Ended(run, ConverterOutcome::kCancelled);
  }
  // Once the clock command has gone out, stopping could no longer keep the monitor as it
  // was, and the erase that may follow cannot be taken back.
  events.CancelAllowed(false);
  link.SendCmd(ClockCommand(events.LocalNow()));
  if (link.Lost()) return CommunicationError(events, run);
  run.outcome = Finish(events, link, run, isSystem, table);
  events.Pause(run.sectorTotal > 0 ? kPauseAfterDataMs : kPauseWithoutDataMs);
  return run;
}

}  // namespace

void ReportStoreNotWritable(DownloadEvents& events, const std::filesystem::path& folder,
                            std::error_code reason) {
  events.Message(FormatText(texts::kStoreNotWritableFormat, PathToUtf8(folder).c_str(),
                            reason.message().c_str()),
                 MessageCaption::kError);
}

ConverterRun DownloadFromConverter(DownloadEvents& events, D2xx& d2xx, StoreState& store,
                                   std::uint32_t index, std::vector<MeasurementReport>& reports) {
  char serial[kSerialNumberBufferSize] = {};
  const FT_STATUS listed =
      d2xx.FT_ListDevices(reinterpret_cast<void*>(static_cast<std::uintptr_t>(index)), serial,
                          FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER);
  if (listed != FT_OK ||
      std::strncmp(serial, kMonitorSerialPrefix, kMonitorSerialPrefixLength) != 0) {
    events.Message(WithAccessHint(d2xx, texts::kDeviceNotRecognised), MessageCaption::kError);
    return {ConverterOutcome::kNotRecognised, std::nullopt, 0};
  }
  Link link(d2xx, events);
  if (!link.OpenDevice(serial)) {
    events.Message(WithAccessHint(d2xx, texts::kDeviceNotOpened), MessageCaption::kError);
    return {ConverterOutcome::kNotOpened, std::nullopt, 0};
  }
  ConverterRun run = DownloadFromMonitor(events, link, store, reports);
  link.Close();
  return run;
}

}  // namespace oxi
