#pragma once
#include "platform/fs/safe_write.h"

namespace oxi {

// The message box text for a save the window's safe writer refused: what is wrong where
// the user can mend it (a read-only file, one another program holds, a device's name),
// else `otherwise`.
const char* SaveFailureText(WriteStatus status, const char* otherwise);

}  // namespace oxi
