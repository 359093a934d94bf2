#include "cli/output.h"

namespace oxi::cli {

std::string WriteOutput(const std::string& target, std::string_view bytes, Existing existing,
                        const std::string& source) {
  if (target == kStandardOutputName) {
    return WriteStandardOutput(bytes) ? std::string() : "standard output cannot be written";
  }
  if (!source.empty() && SameFile(PathFromUtf8(target), PathFromUtf8(source))) {
    return target + ": is the record being read; left as it is";
  }
  const WriteStatus status = WriteFileSafely(PathFromUtf8(target), bytes, existing);
  if (status == WriteStatus::kWritten) return {};
  return target + ": " + WriteStatusText(status);
}

}  // namespace oxi::cli
