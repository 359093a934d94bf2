#pragma once
#include <string_view>

namespace oxi {

// Where the layers below the programs tell why something beneath them failed (the USB
// libraries' reasons, a driver that cannot be loaded, a memory image that cannot serve).
// Nothing below the programs prints: each program hands its sink down from the top and
// decides where the lines go (the terminal for oxitool; a log file and the terminal for
// the window, whose user seldom sees a terminal).
class Diagnostics {
 public:
  virtual ~Diagnostics() = default;
  // Whole lines, each ending in '\n', written as they are.
  virtual void Log(std::string_view lines) = 0;
};

// Where a program that keeps no diagnostics sends them: nowhere.
class NoDiagnostics : public Diagnostics {
 public:
  void Log(std::string_view) override {}
};

}  // namespace oxi
