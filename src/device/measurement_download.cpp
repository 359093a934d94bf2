#include "device/measurement_download.h"

#include <memory>

#include "device/record_decode.h"
#include "device/sector_read.h"
#include "store/damage_note.h"

namespace oxi {
namespace {

using namespace monitor;

struct RecordInProgress {
  std::unique_ptr<RecordFileWriter> writer;
  std::string baseName;
  bool undated = false;
  int samplesHandled = 0;
  std::optional<SectorBytes> damagedHead;  // a head sector read whole, of another type
};

// The samples of the measurement's `k`-th sector, up to the announced count; the slots
// after the last sample hold nothing of this measurement.
void TakeSamples(RecordInProgress& record, const SectorBytes& sector, int k, int count) {
  for (int slot = 0; slot < SampleSlots(k) && record.samplesHandled < count; ++slot) {
    record.writer->AppendSample(ToRecordSample(ReadSampleSlot(sector, k, slot)));
    ++record.samplesHandled;
  }
}

// The record's name: its start time, or, when that is no real minute, the download's
// minute, so that the calendar shows it on the day it came. Its bytes keep what was read.
void NameRecord(const MeasurementSource& source, const HeadSector& head, const RecordHeader& header,
                RecordInProgress& record) {
  record.undated = !HasRealStartTime(head);
  const LocalTime& t = source.downloadTime;
  record.baseName = record.undated
                        ? RecordBaseName(t.TwoDigitYear(), t.month, t.day, t.hour, t.minute)
                        : RecordBaseName(header);
}

// Takes the measurement's `k`-th sector into the record; false when its type says it is
// not part of this measurement.
bool TakeSector(const MeasurementSource& source, const DataTableEntry& entry, int k,
                const SectorBytes& sector, RecordInProgress& record) {
  if (k == 0) {
    if (sector[kTypeOffset] != kHeadSectorType) {
      record.damagedHead = sector;
      return false;
    }
    const HeadSector head = DecodeHeadSector(sector);
    const RecordHeader header = MakeRecordHeader(source.deviceId, head, entry.sampleCount);
    record.writer = std::make_unique<RecordFileWriter>(source.folder);
    record.writer->WriteHeader(header);
    NameRecord(source, head, header, record);
  } else if (sector[kTypeOffset] != kContinuationSectorType) {
    return false;
  }
  TakeSamples(record, sector, k, entry.sampleCount);
  return true;
}

// Reads the sectors in turn; how that ended.
MeasurementEnd ReadSectors(const MeasurementSource& source, const DataTableEntry& entry,
                           RecordInProgress& record) {
  const int sectors = SectorsFor(entry.sampleCount);
  for (int k = 0; k < sectors; ++k) {
    const std::int32_t position = static_cast<std::int32_t>(entry.firstSector) + k;
    const SectorRead read = ReadSector(source.link, RingSector(position, source.ringSize));
    if (read.status == SectorRead::Status::kGone) return MeasurementEnd::kGone;
    if (read.status != SectorRead::Status::kOk) {
      source.progress.SectorDone();
      return MeasurementEnd::kUnreadable;
    }
    const bool taken = TakeSector(source, entry, k, read.bytes, record);
    source.progress.SectorDone();
    if (!taken) return MeasurementEnd::kDamaged;
    // After the last sector the measurement is whole, whatever the user pressed meanwhile.
    if (k + 1 < sectors && source.progress.CancelRequested()) return MeasurementEnd::kCancelled;
  }
  return MeasurementEnd::kWhole;
}

}  // namespace

MeasurementOutcome DownloadMeasurement(const MeasurementSource& source,
                                       const DataTableEntry& entry) {
  MeasurementOutcome outcome;
  RecordInProgress record;
  outcome.end = ReadSectors(source, entry, record);
  outcome.samplesRead = record.samplesHandled;
  outcome.undated = record.undated;
  if (record.damagedHead) {
    outcome.damagedHead =
        NoteDamagedHead(source.folder, entry.firstSector, entry.sampleCount, *record.damagedHead);
  }
  if (!record.writer) return outcome;
  // A cancel keeps nothing half-read. What a fault cut short is kept: the monitor keeps its
  // memory then, and a later download brings the whole measurement, which replaces it.
  if (outcome.end == MeasurementEnd::kCancelled) {
    record.writer->Abort();
    return outcome;
  }
  const CopySearch search = record.undated ? CopySearch::kWholeFolder : CopySearch::kSameMinute;
  outcome.record = record.writer->Commit(record.baseName, search);
  if (!outcome.record) {
    outcome.writeFailed = true;
    outcome.writeError = record.writer->Error();
  }
  return outcome;
}

}  // namespace oxi
