#pragma once

namespace oxi {

// The application: builds the main window over the platform and the converters, runs it
// until Esc or the close box ends it, and returns the process's exit status.
class CMainApp {
 public:
  int Run(int argc, char** argv);
};

}  // namespace oxi
