#include "app/main_app.h"

#include <filesystem>

#include "app/main_dialog.h"
#include "platform/d2xx/d2xx_factory.h"
#include "platform/ui/clock.h"
#include "win32/dialog_controls.h"
#include "win32/main_window.h"
#include "win32/win32_platform.h"

namespace oxi {
namespace {

constexpr int kExitFailure = 1;

}  // namespace

int CMainApp::Run(int, char**) {
  RegisterDialogControls();
  // One clock for the waits of the window and of the converter link.
  SystemClock clock;
  std::unique_ptr<D2xx> d2xx = MakeD2xxFromEnvironment(clock);
  Win32Platform platform(clock);
  // The store lives below the folder the program was started in.
  CMainDialog dialog(platform, *d2xx, std::filesystem::current_path());
  MainWindow window(dialog, dialog.Surfaces());
  // May ask for the device with the chooser before the window is first shown.
  const bool created = window.Create([&] {
    platform.AttachWindow(window);
    dialog.OnInitDialog();
  });
  if (!created) return kExitFailure;
  platform.RunUntilEnded();
  return 0;
}

}  // namespace oxi
