#pragma once
#include "platform/ui/platform.h"
#include "store/current_measurement.h"

namespace oxi {

// The window menu's export: asks for a file and one of the open formats this build
// writes, and writes the shown measurement in it. Nothing in screen mode 0 or without
// samples, like the Save button.
void OpenFormatExport(Platform& platform, const CurrentMeasurement& m, int screenMode);

}  // namespace oxi
