#pragma once

namespace oxi {

// The application: builds the main window over the platform and the converters, runs it
// until Esc or the close box ends it, and returns the process's exit status. Each host
// defines it (qt/main_app.cpp, win32/main_app.cpp) and calls it from its main().
class CMainApp {
 public:
  int Run(int argc, char** argv);
};

}  // namespace oxi
