#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/d2xx/d2xx.h"
#include "platform/ui/clock.h"
#include "platform/ui/diagnostics.h"

namespace oxi {

// Names the environment variable that puts simulated monitors in place of USB: a list of
// memory image files separated by ':' (';' on Windows).
inline constexpr const char* kSimulatedMonitorVariable = "OXI_SIMULATED_MONITOR";
// Serial numbers of the simulated converters: this prefix and the image's index.
inline constexpr const char* kSimulatedSerialPrefix = "Kx47SIM";

// With OXI_SIMULATED_MONITOR set, one simulated converter per image (serial numbers
// Kx47SIM0, Kx47SIM1, ...) whose monitor answers from that image and writes the clock and
// the erase back to it; otherwise the converters on USB. Both programs call this, so the
// choice of transport is made in one place. An image that cannot be read leaves its
// converter with nothing behind it, as a monitor that is switched off, and adds a line
// "IMAGE: why" to `problems` for the program to show. The USB driver tells `diagnostics`
// why it failed, a simulated monitor why it did not write its image back.
std::unique_ptr<D2xx> MakeD2xxFromEnvironment(Clock& clock, Diagnostics& diagnostics,
                                              std::vector<std::string>* problems = nullptr);
std::unique_ptr<D2xx> MakeSimulatedD2xx(Clock& clock, const std::vector<std::string>& images,
                                        std::vector<std::string>* problems = nullptr,
                                        Diagnostics* diagnostics = nullptr);
// The image files of a list as OXI_SIMULATED_MONITOR holds them; empty entries are skipped.
std::vector<std::string> SplitImageList(const std::string& list);

}  // namespace oxi
