#pragma once
#include <string>

#include "export/sample_values.h"
#include "store/current_measurement.h"

namespace oxi {

// The measurement as a FIT activity file for training software: one record message per
// sample with heart rate, StO2 and (as developer fields, in mM) oxHb, dxHb and toHb, the
// timer's start and stop, and one lap, one session and the activity summing it up.
std::string FitActivityBytes(const CurrentMeasurement& m, const MeasurementStart& start);

}  // namespace oxi
