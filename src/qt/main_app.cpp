#include "app/main_app.h"

#include <QApplication>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_dialog.h"
#include "app/view_options.h"
#include "app/viewer_log.h"
#include "platform/d2xx/d2xx.h"
#include "platform/gdi/posix/font_match.h"
#include "platform/text/text_format.h"
#include "platform/ui/clock.h"
#include "qt/app_icon.h"
#include "qt/dialog_language.h"
#include "qt/host_window.h"
#include "qt/qt_platform.h"
#include "qt/screen_font.h"
#include "res/build_info.h"
#include "res/texts.h"

namespace oxi {
namespace {

// What is missing for the face to speak Japanese is said in the log: the window itself
// could not say it legibly.
void WarnAboutMissingJapanese(Diagnostics& log, const char* program, bool dialogsTranslated) {
  if (!MatchFont(kScreenFace).coversJapanese) {
    log.Log(FormatText(texts::kNoJapaneseFaceFormat, program));
  }
  if (!dialogsTranslated) log.Log(FormatText(texts::kNoDialogTranslationsFormat, program));
}

int RunWindow(ViewerLog& log, const std::filesystem::path& startupFolder,
              std::vector<std::string> toolkitArgs) {
  std::vector<char*> argv;
  for (std::string& arg : toolkitArgs) argv.push_back(arg.data());
  argv.push_back(nullptr);
  int argc = static_cast<int>(toolkitArgs.size());
  QApplication app(argc, argv.data());
  QGuiApplication::setDesktopFileName(QString::fromUtf8(build::kAppId));
  const bool translated = SpeakJapaneseInQtDialogs(app) != nullptr;
  WarnAboutMissingJapanese(log, texts::kApplicationName, translated);
  QApplication::setFont(DialogFont());
  QApplication::setWindowIcon(AppIcon());

  // One clock for the waits of the window and of the converter link.
  SystemClock clock;
  std::unique_ptr<D2xx> d2xx = MakeViewD2xx(clock, log);
  QtPlatform platform(clock);
  CMainDialog dialog(platform, *d2xx, startupFolder);
  HostWindow window(dialog, dialog.Surfaces());
  platform.AttachWindow(window);
  QObject::connect(&window, &HostWindow::ended, &app, &QApplication::quit, Qt::QueuedConnection);

  // May ask for the device with the chooser before the window is first shown.
  dialog.OnInitDialog();
  log.OpenFile(ViewerLogFile(dialog.Store().dataRoot));
  dialog.SetDiagnostics(log);
  window.ShowStoreFolder(dialog.Store().dataRoot);
  window.show();
  return app.exec();
}

}  // namespace

int CMainApp::Run(int argc, char** argv) {
  PrepareViewProcess();
  ViewerLog log;
  const ViewOptions options = ParseViewOptions(std::vector<std::string>(argv, argv + argc));
  const ViewStart start = StartView(options, log);
  if (start.exitStatus) return *start.exitStatus;
  return RunWindow(log, start.startupFolder, options.toolkitArgs);
}

}  // namespace oxi
