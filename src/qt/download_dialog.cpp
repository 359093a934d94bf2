#include "qt/download_dialog.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>

#include "qt/dialog_units.h"
#include "qt/event_wait.h"
#include "qt/screen_font.h"
#include "res/texts.h"

namespace oxi {
namespace {

// Placement on the screen, in pixels.
constexpr int kScreenX = 362;
constexpr int kScreenY = 284;
constexpr int kWidth = 300;
constexpr int kHeight = 200;
constexpr int kBarMaximum = 100;
// Longest wait for the window system to show the window.
constexpr qint64 kExposeWaitMs = 1000;

}  // namespace

CDLDialog::CDLDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      bar_(new QProgressBar(this)),
      status_(new QLabel(QString::fromUtf8(texts::kDownloading), this)),
      percent_(new QLabel(QString::fromUtf8(texts::kInitialPercent), this)),
      cancel_(new QPushButton(QString::fromUtf8(texts::kCancel), this)) {
  setWindowTitle(QString::fromUtf8(texts::kDownloadDialogCaption));
  setFont(ShellDialogFont());
  setModal(false);
  bar_->setRange(0, kBarMaximum);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  bar_->setGeometry(DluRect(18, 48, 150, 14));
  status_->setGeometry(DluRect(60, 30, 84, 8));
  percent_->setGeometry(DluRect(90, 72, 24, 8));
  // Centred under the bar, below the percentage. Enter must not stop a download.
  cancel_->setGeometry(DluRect(68, 84, 50, 14));
  cancel_->setAutoDefault(false);
  cancel_->setEnabled(false);
  connect(cancel_, &QPushButton::clicked, this, [this] { RequestCancel(); });
  // Positioned once: a dialog that has been moved is not centred again when shown.
  move(kScreenX, kScreenY);
  setFixedSize(kWidth, kHeight);
}

void CDLDialog::Show() {
  cancelRequested_ = false;
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
  cancellable_ = cancellable;
  cancel_->setEnabled(cancellable && !cancelRequested_);
}

// Pressed once is enough: the button stays grey until the download has stopped.
void CDLDialog::RequestCancel() {
  if (!cancellable_) return;
  cancelRequested_ = true;
  cancel_->setEnabled(false);
}

// Esc would hide the window in the middle of a download; only the download hides it.
void CDLDialog::reject() {}

// The close box does what Cancel does; the window stays until the download hides it.
void CDLDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  RequestCancel();
}

}  // namespace oxi
