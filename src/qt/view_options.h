#pragma once
#include <filesystem>
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

}  // namespace oxi
