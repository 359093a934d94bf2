#include "export/save_failure.h"

#include "res/texts.h"

namespace oxi {

const char* SaveFailureText(WriteStatus status, const char* otherwise) {
  switch (status) {
    case WriteStatus::kReadOnly:
      return texts::kReadOnlyFileError;
    case WriteStatus::kInUse:
      return texts::kFileInUseError;
    case WriteStatus::kDeviceName:
      return texts::kDeviceNameError;
    default:
      return otherwise;
  }
}

}  // namespace oxi
