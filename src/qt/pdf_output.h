#pragma once
#include <optional>
#include <string>

#include "store/current_measurement.h"

namespace oxi {

// The document the Print button prints for a shown measurement `m` (moving average over
// `window` samples, the comment's CP932 bytes), as the bytes of a PDF of A4 landscape pages
// laid out at 600 dpi; nothing when no page could be drawn. Usable without a window: a
// process that has no Qt application gets one on the offscreen platform.
std::optional<std::string> PrintedPdf(const CurrentMeasurement& m, int window,
                                      const std::string& commentCp932);

}  // namespace oxi
