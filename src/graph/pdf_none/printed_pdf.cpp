// PDF in a build without Qt: there is no writer to draw the pages with.
#include "graph/printed_pdf.h"

namespace oxi {

bool PdfSupported() {
  return false;
}

std::optional<std::string> PrintedPdf(const CurrentMeasurement&, int, const std::string&) {
  return std::nullopt;
}

}  // namespace oxi
