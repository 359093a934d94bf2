#pragma once
#include <string>

#include "store/current_measurement.h"

namespace oxi {

// The one-line header above the plots: start time, duration, fat thickness and the stored
// rate, in `format` (the screen's and the page's differ only in their colons).
std::string MeasurementHeaderText(const CurrentMeasurement& m, const char* format);

}  // namespace oxi
