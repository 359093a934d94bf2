#pragma once
#include <cstdio>
#include <string_view>

#include "platform/ui/diagnostics.h"

namespace oxi::cli {

// oxitool's diagnostics: on stderr, beside the command's own messages.
class TerminalDiagnostics : public Diagnostics {
 public:
  void Log(std::string_view lines) override {
    std::fwrite(lines.data(), 1, lines.size(), stderr);
    std::fflush(stderr);
  }
};

}  // namespace oxi::cli
