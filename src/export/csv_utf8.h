#pragma once
#include <string>

#include "export/sample_values.h"
#include "store/current_measurement.h"

namespace oxi {

// The measurement as a plain CSV file for any spreadsheet or script: UTF-8, one header
// row whose names carry the units, a row per sample with the time from the start in
// seconds and as h:mm:ss.s, the local time in ISO 8601, and the values with "." as the
// decimal point; a missing value is an empty cell. Lines end in LF, with no trailing
// comma. `byteOrderMark` puts the UTF-8 mark in front, by which spreadsheet programs
// recognise the encoding.
std::string CsvUtf8Bytes(const CurrentMeasurement& m, const MeasurementStart& start,
                         bool byteOrderMark);

}  // namespace oxi
