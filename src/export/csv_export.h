#pragma once
#include <filesystem>
#include <string>

#include "platform/fs/safe_write.h"  // WriteFileAtomically: how every output file is written
#include "platform/ui/platform.h"
#include "store/current_measurement.h"

namespace oxi {

// The CSV file of measurement `m`, byte for byte: CP932 text, CR LF line ends.
std::string CsvBytes(const CurrentMeasurement& m);

// The Save button: asks for a file name and writes the CSV; nothing in screen mode 0.
void CsvExport(Platform& platform, const CurrentMeasurement& m, int screenMode);

}  // namespace oxi
