#pragma once
#include "platform/ui/platform.h"

namespace oxi {

// The machine's local date and time of day now, to the second.
LocalTime CurrentLocalTime();

}  // namespace oxi
