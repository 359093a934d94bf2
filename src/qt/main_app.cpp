#include "qt/main_app.h"

#include <QApplication>
#include <filesystem>

#include "app/main_dialog.h"
#include "platform/d2xx/d2xx_factory.h"
#include "platform/ui/clock.h"
#include "qt/app_icon.h"
#include "qt/host_layout.h"
#include "qt/host_window.h"
#include "qt/qt_platform.h"
#include "qt/screen_font.h"

namespace oxi {

int CMainApp::Run(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setFont(DialogFont());
  QApplication::setWindowIcon(AppIcon());

  // One clock for the waits of the window and of the converter link.
  SystemClock clock;
  std::unique_ptr<D2xx> d2xx = MakeD2xxFromEnvironment(clock);
  QtPlatform platform(clock);
  // The store lives below the folder the program was started in.
  CMainDialog dialog(platform, *d2xx, std::filesystem::current_path());
  HostWindow::Surfaces surfaces{};
  for (SurfaceId id : host::kAllSurfaces) {
    surfaces[static_cast<int>(id)] = &dialog.GetSurface(id);
  }
  HostWindow window(dialog, surfaces);
  platform.AttachWindow(window);
  QObject::connect(&window, &HostWindow::ended, &app, &QApplication::quit, Qt::QueuedConnection);

  // May ask for the device with the chooser before the window is first shown.
  dialog.OnInitDialog();
  window.show();
  return app.exec();
}

}  // namespace oxi
