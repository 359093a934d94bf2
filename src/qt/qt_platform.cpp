#include "qt/qt_platform.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>

#include "platform/ui/local_time.h"
#include "qt/download_dialog.h"
#include "qt/event_wait.h"
#include "qt/host_window.h"
#include "qt/id_chooser.h"
#include "qt/tool_window.h"
#include "qt/toolkit_input.h"
#include "res/texts.h"

namespace oxi {

QtPlatform::QtPlatform(Clock& clock) : clock_(clock) {}

QtPlatform::~QtPlatform() {
  if (progress_ && !progress_->parent()) delete progress_.data();
}

void QtPlatform::AttachWindow(HostWindow& window) {
  window_ = &window;
  if (!progress_) progress_ = new CDLDialog(&window);
}

void QtPlatform::PumpOneMessage() {
  const int waitMs = pacing_.NextPumpWaitMs();
  if (waitMs == 0) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  } else {
    WaitForEvents(QEventLoop::AllEvents, waitMs);
  }
}

void QtPlatform::TimedWait(int ticks) {
  WaitOnClock(clock_, ticks, [](int leftMs) { WaitForEvents(QEventLoop::AllEvents, leftMs); });
}

LocalTime QtPlatform::Now() {
  return CurrentLocalTime();
}

void QtPlatform::ShowMessageBox(const std::string& text, const std::string& caption) {
  RunMessageBox(window_, text, caption);
}

bool QtPlatform::AskYesNo(const std::string& text, const std::string& caption) {
  return RunYesNoBox(window_, text, caption);
}

std::optional<std::string> QtPlatform::ChooseFolder(const std::string& title,
                                                    const std::string& initial) {
  const QString chosen = QFileDialog::getExistingDirectory(window_, QString::fromStdString(title),
                                                           QString::fromStdString(initial));
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

void QtPlatform::RunIdDialog(IdDialogHandlers& handlers) {
  // It comes up before the main window is shown, so it has no owner.
  IdChooserWindow chooser(handlers);
  chooser.exec();
}

std::optional<SaveFileChoice> QtPlatform::ChooseSaveFile(const std::string& proposedName,
                                                         const std::vector<SaveFileType>& types) {
  if (types.empty()) return std::nullopt;
  QStringList filters;
  for (const SaveFileType& type : types) filters << QString::fromStdString(type.text);
  QFileDialog dialog(window_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.front());
  dialog.setDefaultSuffix(QString::fromStdString(types.front().extension));
  // A name typed without an extension gets the one of the type chosen last.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
    const qsizetype index = filters.indexOf(filter);
    if (index >= 0) dialog.setDefaultSuffix(QString::fromStdString(types[index].extension));
  });
  dialog.selectFile(QString::fromStdString(proposedName));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  const qsizetype type = std::max<qsizetype>(filters.indexOf(dialog.selectedNameFilter()), 0);
  return SaveFileChoice{chosen.front().toStdString(), static_cast<std::size_t>(type)};
}

ProgressDialog& QtPlatform::DownloadDialog() {
  if (!progress_) progress_ = new CDLDialog(window_);
  return *progress_;
}

std::string QtPlatform::WindowEditText() {
  return window_ ? window_->WindowEdit().text().toStdString() : std::string();
}

void QtPlatform::SetWindowEditText(const std::string& text) {
  if (window_) window_->WindowEdit().setText(QString::fromStdString(text));
}

void QtPlatform::Present(SurfaceId id) {
  pacing_.Presented();
  if (window_) window_->Present(id);
}

std::unique_ptr<ToolWindow> QtPlatform::CreateToolWindow(const ToolWindowForm& form,
                                                         const Surface& surface,
                                                         ToolWindowHandlers& handlers) {
  return std::make_unique<QtToolWindow>(form, surface, handlers, window_);
}

bool QtPlatform::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
  return true;
}

// The name the program was started under: its file name without the extension.
std::string QtPlatform::ApplicationName() {
  const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  return name.isEmpty() ? texts::kApplicationName : name.toStdString();
}

}  // namespace oxi
