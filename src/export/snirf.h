#pragma once
#include <optional>
#include <string>

#include "export/sample_values.h"
#include "store/current_measurement.h"

namespace oxi {

// True when this build writes SNIRF files: they are HDF5 files, and a build without the
// HDF5 library has none.
bool SnirfSupported();

// The measurement as a SNIRF file for NIRS research tools: oxHb and dxHb as processed HbO
// and HbR channels of one source-detector pair in mol/L, toHb, StO2 and the heart rate as
// auxiliary series, missing values as NaN. Nothing when the build has no SNIRF or the
// HDF5 library failed.
std::optional<std::string> SnirfBytes(const CurrentMeasurement& m, const MeasurementStart& start);

}  // namespace oxi
