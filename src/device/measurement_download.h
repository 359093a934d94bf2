#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "device/download_progress.h"
#include "device/link.h"
#include "platform/d2xx/monitor_sectors.h"

namespace oxi {

// What a device's measurements are read with and written to.
struct MeasurementSource {
  Link& link;
  DownloadProgress& progress;
  std::string deviceId;  // a safe ID: it names `folder`
  std::filesystem::path folder;
  int ringSize = 0;
};

struct MeasurementOutcome {
  // Every sector read and the record file safely in place.
  bool complete = false;
  // The converter or monitor went away; the device's work ends.
  bool gone = false;
  std::optional<std::filesystem::path> record;
};

// Reads the sectors of one measurement listed in the data table and writes its record
// file. A sector that cannot be read, or has the wrong type, ends the measurement there:
// the record keeps the samples before it (later samples would otherwise sit at the wrong
// times), and the measurement counts as incomplete.
MeasurementOutcome DownloadMeasurement(const MeasurementSource& source,
                                       const monitor::DataTableEntry& entry);

}  // namespace oxi
