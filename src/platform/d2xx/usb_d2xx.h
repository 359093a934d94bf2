#pragma once
#include <memory>

#include "platform/d2xx/d2xx.h"
#include "platform/ui/clock.h"

namespace oxi {

// The converters on USB, through the driver of this operating system: libftdi1 on POSIX,
// the converter vendor's D2XX driver DLL on Windows.
std::unique_ptr<D2xx> MakeUsbD2xx(Clock& clock);

}  // namespace oxi
