#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "device/download.h"
#include "device/download_progress.h"
#include "device/link.h"
#include "device/record_decode.h"
#include "device/sector_read.h"
#include "monitor/sectors.h"
#include "store/damage_note.h"
#include "store/record_writer.h"

namespace oxi {

// Where a measurement's sectors come from: the monitor over the link, or a raw image of
// an earlier download.
class SectorSource {
 public:
  virtual ~SectorSource() = default;
  virtual SectorRead Read(int sector) = 0;
  // One more sector handled, read or not.
  virtual void SectorDone() {}
  // Whether the user asked to stop.
  virtual bool CancelRequested() { return false; }
};

// What a device's measurements are read with and written to.
struct MeasurementSource {
  SectorSource& sectors;
  std::string deviceId;  // a safe ID: it names `folder`
  std::filesystem::path folder;
  int ringSize = 0;
  // Names the records whose own start time is no real date and time.
  LocalTime downloadTime;
  // A test swaps in a faulty decoder, to show that a raw image outlives our faults.
  SampleDecoder decode = ToRecordSample;
};

struct MeasurementOutcome {
  MeasurementEnd end = MeasurementEnd::kUnreadable;
  int samplesRead = 0;
  // Named by the download's time, as its own start time is no real date and time.
  bool undated = false;
  // Where the samples read are in the store.
  std::optional<StoredRecord> record;
  // A head sector read whole but of another type, which gives no record.
  std::optional<monitor::SectorBytes> damagedHeadSector;
  // Whether the same head bytes were read there before (the download notes them).
  std::optional<DamageReading> damagedHead;
  // The head was read but the record could not be written; the system's reason.
  bool writeFailed = false;
  std::error_code writeError;
};

// Reads the sectors of one measurement listed in the data table and writes its record
// file. A sector that cannot be read, or has the wrong type, ends the measurement there:
// the record keeps the samples before it (later samples would otherwise sit at the wrong
// times). A cancel keeps nothing of an unfinished measurement.
MeasurementOutcome StoreMeasurement(const MeasurementSource& source,
                                    const monitor::DataTableEntry& entry);
// StoreMeasurement from the monitor, noting a damaged head's bytes in the device folder so
// that a second download can tell the same damage.
MeasurementOutcome DownloadMeasurement(const MeasurementSource& source,
                                       const monitor::DataTableEntry& entry);

}  // namespace oxi
