#pragma once
#include <string>

#include "store/store_state.h"

namespace oxi {

// Brings the comment of record `newName` into `commentField` (CP932 bytes up to the file's
// first NUL, every line end made CR LF). A missing comment empties the field; the same
// record loaded again keeps the field as it is.
void LoadComment(const StoreState& store, const std::string& newName, bool anotherRecord,
                 std::string& commentField);

}  // namespace oxi
