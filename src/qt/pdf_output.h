#pragma once
#include <filesystem>
#include <string>

#include "store/current_measurement.h"

namespace oxi {

// The document the Print button prints for a shown measurement `m` (moving average over
// `window` samples, the comment's CP932 bytes), as a PDF of A4 landscape pages laid out at
// 600 dpi. The file appears complete or not at all. Empty on success, else why not.
// Usable without a window: a process that has no Qt application gets one on the offscreen
// platform.
std::string WritePrintedPdf(const std::filesystem::path& path, const CurrentMeasurement& m,
                            int window, const std::string& commentCp932);

}  // namespace oxi
