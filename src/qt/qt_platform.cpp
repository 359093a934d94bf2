#include "qt/qt_platform.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <algorithm>

#include "platform/ui/local_time.h"
#include "qt/download_dialog.h"
#include "qt/event_wait.h"
#include "qt/host_window.h"
#include "qt/id_chooser.h"
#include "res/texts.h"

namespace oxi {
namespace {

// Longest sleep of a pump that finds nothing to do: short enough that a caller which also
// polls something else (the converter) hardly notices it.
constexpr int kIdlePumpWaitMs = 10;

}  // namespace

QtPlatform::QtPlatform(Clock& clock) : clock_(clock) {}

QtPlatform::~QtPlatform() {
  if (progress_ && !progress_->parent()) delete progress_.data();
}

void QtPlatform::AttachWindow(HostWindow& window) {
  window_ = &window;
  if (!progress_) progress_ = new CDLDialog(&window);
}

// A loop that pumps without drawing anything between two pumps is only waiting for the
// user, as a thumb held still does: that pump sleeps until a message comes (or briefly at
// most), so the loop does not keep a core busy. A loop that draws on every turn, as a held
// graph arrow does, runs at the drawing speed as before.
void QtPlatform::PumpOneMessage() {
  if (presentedSincePump_) {
    presentedSincePump_ = false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  } else {
    WaitForEvents(QEventLoop::AllEvents, kIdlePumpWaitMs);
  }
}

void QtPlatform::TimedWait(int ticks) {
  const std::int64_t deadline = clock_.NowMs() + ticks;
  // Sleeps between messages rather than polling: a held arrow must not keep a core busy.
  for (std::int64_t left = ticks; left > 0; left = deadline - clock_.NowMs()) {
    WaitForEvents(QEventLoop::AllEvents, static_cast<int>(left));
  }
}

LocalTime QtPlatform::Now() {
  return CurrentLocalTime();
}

void QtPlatform::ShowMessageBox(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                  QString::fromStdString(text), QMessageBox::Ok, window_);
  // A plain OK, as the boxes of the window system show it: no icon from the style.
  box.button(QMessageBox::Ok)->setIcon(QIcon());
  box.exec();
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
  presentedSincePump_ = true;
  if (window_) window_->Present(id);
}

// The name the program was started under: its file name without the extension.
std::string QtPlatform::ApplicationName() {
  const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  return name.isEmpty() ? texts::kApplicationName : name.toStdString();
}

}  // namespace oxi
