#pragma once
#include <filesystem>
#include <string>

#include "platform/ui/platform.h"
#include "store/current_measurement.h"

namespace oxi {

// The CSV file of measurement `m`, byte for byte: CP932 text, CR LF line ends.
std::string CsvBytes(const CurrentMeasurement& m);

// Writes `bytes` to `path` without ever leaving half a file under that name (temporary
// file in the same folder, flushed, renamed). False on any failure.
bool WriteFileAtomically(const std::filesystem::path& path, const std::string& bytes);

// The Save button: asks for a file name and writes the CSV; nothing in screen mode 0.
void CsvExport(Platform& platform, const CurrentMeasurement& m, int screenMode);

}  // namespace oxi
