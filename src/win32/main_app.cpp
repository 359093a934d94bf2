#include "app/main_app.h"

#include <string>
#include <vector>

#include "app/main_dialog.h"
#include "app/view_options.h"
#include "app/viewer_log.h"
#include "platform/d2xx/d2xx.h"
#include "platform/ui/clock.h"
#include "platform/ui/process.h"
#include "res/texts.h"
#include "win32/dialog_controls.h"
#include "win32/main_window.h"
#include "win32/win32_platform.h"

namespace oxi {
namespace {

constexpr int kExitFailure = 1;

// The command line in UTF-8, the program's name first, as ParseViewOptions reads it. There
// is no toolkit here to take options of its own.
ViewOptions ReadCommandLine(int argc, char** argv) {
  std::vector<std::string> args = Utf8Arguments(argc, argv);
  args.insert(args.begin(), texts::kApplicationName);
  return RefuseToolkitOptions(ParseViewOptions(args));
}

}  // namespace

int CMainApp::Run(int argc, char** argv) {
  PrepareViewProcess();
  ViewerLog log;
  const ViewStart start = StartView(ReadCommandLine(argc, argv), log);
  if (start.exitStatus) return *start.exitStatus;
  RegisterDialogControls();
  // One clock for the waits of the window and of the converter link.
  SystemClock clock;
  std::unique_ptr<D2xx> d2xx = MakeViewD2xx(clock, log);
  Win32Platform platform(clock);
  CMainDialog dialog(platform, *d2xx, start.startupFolder);
  MainWindow window(dialog, dialog.Surfaces());
  // May ask for the device with the chooser before the window is first shown.
  const bool created = window.Create([&] {
    platform.AttachWindow(window);
    dialog.OnInitDialog();
    log.OpenFile(ViewerLogFile(dialog.Store().dataRoot));
    dialog.SetDiagnostics(log);
    window.ShowStoreFolder(dialog.Store().dataRoot);
  });
  if (!created) return kExitFailure;
  platform.RunUntilEnded();
  return 0;
}

}  // namespace oxi
