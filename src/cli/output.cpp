#include "cli/output.h"

namespace oxi::cli {

std::string WriteOutput(const std::string& target, std::string_view bytes, Existing existing) {
  if (target == kStandardOutputName) {
    return WriteStandardOutput(bytes) ? std::string() : "standard output cannot be written";
  }
  const WriteStatus status = WriteFileSafely(PathFromUtf8(target), bytes, existing);
  if (status == WriteStatus::kWritten) return {};
  return target + ": " + WriteStatusText(status);
}

}  // namespace oxi::cli
