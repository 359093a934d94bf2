// SNIRF in a build without the HDF5 library: there is none.
#include "export/snirf.h"

namespace oxi {

bool SnirfSupported() {
  return false;
}

std::optional<std::string> SnirfBytes(const CurrentMeasurement&, const MeasurementStart&) {
  return std::nullopt;
}

}  // namespace oxi
