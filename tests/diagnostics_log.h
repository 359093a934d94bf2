#pragma once
// What the layers below the programs tell their diagnostics, kept for a test to read.
#include <string>
#include <string_view>

#include "platform/ui/diagnostics.h"

namespace oxi::testing {

class DiagnosticsLog : public Diagnostics {
 public:
  void Log(std::string_view lines) override { said.append(lines); }
  std::string said;
};

}  // namespace oxi::testing
