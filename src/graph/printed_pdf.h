#pragma once
#include <optional>
#include <string>

#include "store/current_measurement.h"

namespace oxi {

// True when this build writes PDF files: their pages are drawn by Qt's PDF writer, which a
// build without Qt does not have.
bool PdfSupported();

// The document the Print button prints for a shown measurement `m` (moving average over
// `window` samples, the comment's CP932 bytes), as the bytes of a PDF of A4 landscape pages
// laid out at 600 dpi; nothing when no page could be drawn or the build has no PDF. Needs
// no window.
std::optional<std::string> PrintedPdf(const CurrentMeasurement& m, int window,
                                      const std::string& commentCp932);

}  // namespace oxi
