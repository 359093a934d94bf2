#pragma once
#include <memory>

#include "platform/d2xx/d2xx.h"
#include "platform/ui/clock.h"
#include "platform/ui/diagnostics.h"

namespace oxi {

// The converters on USB, through the driver of this operating system: libftdi1 on POSIX,
// the converter vendor's D2XX driver DLL on Windows. The driver's reasons for a failure go
// to `diagnostics`, which must outlive the converters.
std::unique_ptr<D2xx> MakeUsbD2xx(Clock& clock, Diagnostics& diagnostics);

}  // namespace oxi
