#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/fs/files.h"

namespace oxi {

bool WriteStandardOutput(std::string_view bytes) {
  // Standard output starts in text mode, which would turn the CSV's CR LF into CR CR LF
  // and break a PDF or PNG.
  std::fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
  return std::fflush(stdout) == 0 && written;
}

}  // namespace oxi
