#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/d2xx/simulated_d2xx.h"

namespace oxi::standin {

// The faults of the stand-in driver's converters, as OXI_STANDIN_FAULTS lists them:
// faults separated by ';', each KIND:COMMAND[:VALUE[:SKIP[:TIMES]]] with KIND one of nak,
// silence, delay, split, unplug, erase (the erase's duration), e.g. "unplug:DE:1000".
// Nothing when a fault cannot be read; `problem` then says which.
std::optional<std::vector<SimulatedFault>> ParseFaults(const std::string& list,
                                                       std::string* problem);

}  // namespace oxi::standin
