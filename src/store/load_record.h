#pragma once
#include <string>

#include "store/current_measurement.h"
#include "store/store_state.h"

namespace oxi {

// Reads record `name` of the current device's folder into `m` and the comment of that
// record into `commentField`. 1 on success, -1 on failure (n becomes 0, the title empty).
// The caller resets the screen's moving-average window, graph offset, thumb width and
// hovered row, as a load must.
int LoadRecord(const StoreState& store, const std::string& name, CurrentMeasurement& m,
               std::string& commentField);

}  // namespace oxi
