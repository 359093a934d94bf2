#pragma once
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace oxi {

// What oxiview's command line asks for. Read before the toolkit starts, so that --help and
// --version answer without a display.
struct ViewOptions {
  enum class Action { kRun, kHelp, kVersion, kRefuse };
  Action action = Action::kRun;
  std::filesystem::path root;            // --root: the folder the store lives below
  std::vector<std::string> toolkitArgs;  // the program name and Qt's own options, in order
  std::string refusal;                   // what was not understood, for kRefuse
};

// Reads argv (the program name first): --root DIR (or --root=DIR), -h/--help, --version,
// and the options Qt itself takes (-platform NAME, -display D, ...), which are kept for it
// (the Win32 host, which has no toolkit, refuses them). Anything else is refused.
ViewOptions ParseViewOptions(const std::vector<std::string>& argv);

// What the command line leaves to do before any window opens, the same in both hosts:
// --help and --version print and end with 0; a refusal prints the usage on stderr and ends
// with 2; a --root that is no folder says so and ends with 1. Otherwise the folder the
// store lives below: --root's, absolute, or the folder the program was started in.
struct ViewStart {
  std::optional<int> exitStatus;  // set: end now with this status
  std::filesystem::path startupFolder;
};
ViewStart StartView(const ViewOptions& options);

class Clock;
class D2xx;
// The converters the window uses (simulated ones when OXI_SIMULATED_MONITOR names images);
// an image that cannot serve is named on stderr, and the window starts without it.
std::unique_ptr<D2xx> MakeViewD2xx(Clock& clock);

}  // namespace oxi
