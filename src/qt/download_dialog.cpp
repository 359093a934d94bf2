#include "qt/download_dialog.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>

#include "app/host_layout.h"
#include "qt/dialog_units.h"
#include "qt/event_wait.h"
#include "qt/screen_font.h"
#include "res/texts.h"

namespace oxi {
namespace {

// Longest wait for the window system to show the window.
constexpr qint64 kExposeWaitMs = 1000;

}  // namespace

CDLDialog::CDLDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      bar_(new QProgressBar(this)),
      status_(new QLabel(QString::fromUtf8(texts::kDownloading), this)),
      percent_(new QLabel(QString::fromUtf8(texts::kInitialPercent), this)),
      cancelButton_(new QPushButton(QString::fromUtf8(texts::kCancel), this)) {
  setWindowTitle(QString::fromUtf8(texts::kDownloadDialogCaption));
  setFont(ShellDialogFont());
  setModal(false);
  bar_->setRange(0, kProgressBarMaximum);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  bar_->setGeometry(DluRect(dialog_layout::kProgressBar));
  status_->setGeometry(DluRect(dialog_layout::kProgressStatus));
  percent_->setGeometry(DluRect(dialog_layout::kProgressPercent));
  // Enter must not stop a download.
  cancelButton_->setGeometry(DluRect(dialog_layout::kProgressStop));
  cancelButton_->setAutoDefault(false);
  ShowCancel();
  connect(cancelButton_, &QPushButton::clicked, this, [this] { RequestCancel(); });
  // Positioned once: a dialog that has been moved is not centred again when shown.
  move(host::kProgressWindowRect.x, host::kProgressWindowRect.y);
  setFixedSize(host::kProgressWindowRect.width, host::kProgressWindowRect.height);
}

void CDLDialog::Show() {
  cancel_.Shown();
  ShowCancel();
  show();
  // A new window is mapped asynchronously, and nothing painted on it shows until the
  // window system reports it exposed; the download then reads the converter without
  // dispatching anything. So the expose is awaited here, taking window-system events
  // only: the user's input stays queued for the download's own waits.
  QElapsedTimer waited;
  waited.start();
  while (!IsExposed() && waited.elapsed() < kExposeWaitMs) {
    WaitForEvents(QEventLoop::ExcludeUserInputEvents,
                  static_cast<int>(kExposeWaitMs - waited.elapsed()));
  }
}

bool CDLDialog::IsExposed() const {
  return windowHandle() && windowHandle()->isExposed();
}
void CDLDialog::Hide() {
  hide();
}
void CDLDialog::SetBar(int percent) {
  bar_->setValue(percent);
}
void CDLDialog::SetStatus(const std::string& text) {
  status_->setText(QString::fromStdString(text));
}
void CDLDialog::SetPercentText(const std::string& text) {
  percent_->setText(QString::fromStdString(text));
}
void CDLDialog::Repaint() {
  repaint();
}

void CDLDialog::SetCancellable(bool cancellable) {
  cancel_.SetCancellable(cancellable);
  ShowCancel();
}

void CDLDialog::RequestCancel() {
  cancel_.Request();
  ShowCancel();
}

void CDLDialog::ShowCancel() {
  cancelButton_->setEnabled(cancel_.ButtonEnabled());
}

// Esc would hide the window in the middle of a download; only the download hides it.
void CDLDialog::reject() {}

// The close box does what Cancel does; the window stays until the download hides it.
void CDLDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  RequestCancel();
}

}  // namespace oxi
