#include <cstdio>

#include "platform/fs/files.h"

namespace oxi {

bool WriteStandardOutput(std::string_view bytes) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
  return std::fflush(stdout) == 0 && written;
}

}  // namespace oxi
