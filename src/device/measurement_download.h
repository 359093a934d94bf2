#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "device/download.h"
#include "device/download_progress.h"
#include "device/link.h"
#include "monitor/sectors.h"
#include "store/damage_note.h"
#include "store/record_writer.h"

namespace oxi {

// What a device's measurements are read with and written to.
struct MeasurementSource {
  Link& link;
  DownloadProgress& progress;
  std::string deviceId;  // a safe ID: it names `folder`
  std::filesystem::path folder;
  int ringSize = 0;
  // Names the records whose own start time is no real date and time.
  LocalTime downloadTime;
};

struct MeasurementOutcome {
  MeasurementEnd end = MeasurementEnd::kUnreadable;
  int samplesRead = 0;
  // Named by the download's time, as its own start time is no real date and time.
  bool undated = false;
  // Where the samples read are in the store.
  std::optional<StoredRecord> record;
  // A head sector of another type: whether the same bytes were read there before.
  std::optional<DamageReading> damagedHead;
  // The head was read but the record could not be written; the system's reason.
  bool writeFailed = false;
  std::error_code writeError;
};

// Reads the sectors of one measurement listed in the data table and writes its record
// file. A sector that cannot be read, or has the wrong type, ends the measurement there:
// the record keeps the samples before it (later samples would otherwise sit at the wrong
// times). A cancel keeps nothing of an unfinished measurement.
MeasurementOutcome DownloadMeasurement(const MeasurementSource& source,
                                       const monitor::DataTableEntry& entry);

}  // namespace oxi
