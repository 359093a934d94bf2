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
// and the options Qt itself takes (-platform NAME, -display D, ...), which are kept for it.
// Anything else is refused.
ViewOptions ParseViewOptions(const std::vector<std::string>& argv);
// For a host without a toolkit to take options of its own (the Win32 one): Qt's options
// are refused like any other unknown option.
ViewOptions RefuseToolkitOptions(ViewOptions options);

// What the process settles before anything else, the same in both windows: standard
// streams that pass bytes unchanged (a console shows UTF-8), and a file-size limit that
// fails a record's write as a full disk does, reported, instead of ending the process.
void PrepareViewProcess();

class Diagnostics;

// What the command line leaves to do before any window opens, the same in both hosts:
// --help and --version print and end with 0; a refusal tells `diagnostics` with the usage
// and ends with 2; a --root that is no folder says so and ends with 1. Otherwise the folder
// the store lives below: --root's, absolute, or the folder the program was started in.
struct ViewStart {
  std::optional<int> exitStatus;  // set: end now with this status
  std::filesystem::path startupFolder;
};
ViewStart StartView(const ViewOptions& options, Diagnostics& diagnostics);

class Clock;
class D2xx;
// The converters the window uses (simulated ones when OXI_SIMULATED_MONITOR names images);
// an image that cannot serve is named to `diagnostics`, and the window starts without it.
// The converters tell `diagnostics` why they fail; it must outlive them.
std::unique_ptr<D2xx> MakeViewD2xx(Clock& clock, Diagnostics& diagnostics);

}  // namespace oxi
