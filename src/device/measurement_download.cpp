#include "device/measurement_download.h"

#include <memory>

#include "device/record_decode.h"
#include "device/sector_read.h"
#include "store/record_writer.h"

namespace oxi {
namespace {

using namespace monitor;

struct RecordInProgress {
  std::unique_ptr<RecordFileWriter> writer;
  std::string baseName;
  int samplesHandled = 0;
};

// The samples of the measurement's `k`-th sector, up to the announced count; the slots
// after the last sample hold nothing of this measurement.
void TakeSamples(RecordInProgress& record, const SectorBytes& sector, int k, int count) {
  for (int slot = 0; slot < SampleSlots(k) && record.samplesHandled < count; ++slot) {
    const MonitorSample sample = ReadSample(sector, SampleSlotOffset(k) + slot * kSampleBytes);
    record.writer->AppendSample(ToRecordSample(sample));
    ++record.samplesHandled;
  }
}

// Takes the measurement's `k`-th sector into the record; false when its type says it is
// not part of this measurement.
bool TakeSector(const MeasurementSource& source, const DataTableEntry& entry, int k,
                const SectorBytes& sector, RecordInProgress& record) {
  if (k == 0) {
    if (sector[kTypeOffset] != kHeadSectorType) return false;
    const RecordHeader header =
        MakeRecordHeader(source.deviceId, DecodeHeadSector(sector), entry.sampleCount);
    record.writer = std::make_unique<RecordFileWriter>(source.folder);
    record.writer->WriteHeader(header);
    record.baseName = RecordBaseName(header);
  } else if (sector[kTypeOffset] != kContinuationSectorType) {
    return false;
  }
  TakeSamples(record, sector, k, entry.sampleCount);
  return true;
}

}  // namespace

MeasurementOutcome DownloadMeasurement(const MeasurementSource& source,
                                       const DataTableEntry& entry) {
  MeasurementOutcome outcome;
  RecordInProgress record;
  bool whole = true;
  const int sectors = SectorsFor(entry.sampleCount);
  for (int k = 0; k < sectors; ++k) {
    const std::int32_t position = static_cast<std::int32_t>(entry.firstSector) + k;
    const SectorRead read = ReadSector(source.link, RingSector(position, source.ringSize));
    if (read.status == SectorRead::Status::kGone) {
      outcome.gone = true;
      whole = false;
      break;
    }
    const bool taken =
        read.status == SectorRead::Status::kOk && TakeSector(source, entry, k, read.bytes, record);
    source.progress.SectorDone();
    if (!taken) {
      whole = false;
      break;
    }
  }
  // What was read is kept even when the measurement ended early: the monitor keeps its
  // memory then, and a later download brings the whole measurement.
  if (record.writer) outcome.record = record.writer->Commit(record.baseName);
  outcome.complete = whole && outcome.record.has_value();
  return outcome;
}

}  // namespace oxi
