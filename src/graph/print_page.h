#pragma once
#include <string>

#include "platform/ui/platform.h"
#include "store/current_measurement.h"

namespace oxi {

// Draws the printed document (the graph of the whole measurement with the moving averages
// of `window`, the comment's lines, further pages for a long comment) on an open page
// context: StartDocument .. EndDocument. `screenMode` 0 leaves out the header and the curves.
// `commentCp932` holds CP932 bytes with CR LF line ends; a comment stops after
// kMaxCommentPages pages. False when the page context could not complete the document.
bool DrawPrintedDocument(PageDc& page, const CurrentMeasurement& m, int window, int screenMode,
                         const std::string& commentCp932);

// The Print button: asks the platform for a printer and prints; a file output that could
// not be written shows the error box. Nothing after a failed load (the header is stale).
void Print(Platform& platform, const CurrentMeasurement& m, int window, int screenMode,
           const std::string& commentCp932);

}  // namespace oxi
