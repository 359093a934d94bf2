#include "qt/id_chooser.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "qt/dialog_units.h"
#include "qt/screen_font.h"
#include "res/texts.h"

namespace oxi {
namespace {

// The drop-down list's field, one row high; the template's height is the dropped list's.
constexpr int kComboFieldHeightDlu = 12;

}  // namespace

void CloseUpComboBox::hidePopup() {
  // Qt also hides a popup that is not open (when the box hides or loses focus); only a
  // list that was down can close up.
  const bool wasDown = view() && view()->isVisible();
  QComboBox::hidePopup();
  if (wasDown) emit closedUp();
}

void QtComboAdapter::ResetContent() {
  const QSignalBlocker quiet(combo_);
  combo_.clear();
}

void QtComboAdapter::AddString(const std::string& text) {
  const QSignalBlocker quiet(combo_);
  combo_.addItem(QString::fromStdString(text));
}

void QtComboAdapter::SetCurSel(int index) {
  const QSignalBlocker quiet(combo_);
  combo_.setCurrentIndex(index >= 0 && index < combo_.count() ? index : -1);
}

std::string QtComboAdapter::WindowText() const {
  return combo_.currentText().toStdString();
}

IdChooserWindow::IdChooserWindow(IdDialogHandlers& handlers)
    : handlers_(handlers), combo_(new CloseUpComboBox(this)), adapter_(*combo_) {
  setWindowTitle(QString::fromUtf8(texts::kIdDialogCaption));
  setFont(ShellDialogFont());
  setFixedSize(DluToPixelsX(dialog_layout::kIdDialogWidth),
               DluToPixelsY(dialog_layout::kIdDialogHeight));

  auto* prompt = new QLabel(QString::fromUtf8(texts::kIdDialogPrompt), this);
  // Placed as laid out, but as wide as its text needs in the face this system has.
  const QRect promptArea = DluRect(dialog_layout::kIdPrompt);
  prompt->move(promptArea.topLeft());
  prompt->resize(std::max(promptArea.width(), prompt->sizeHint().width()),
                 std::max(promptArea.height(), prompt->sizeHint().height()));
  // The list drops down below the field, as a drop-down list does, rather than opening
  // over it as some styles have it; the field itself is one row high.
  combo_->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  combo_->setGeometry(DluRect(dialog_layout::kIdCombo.x, dialog_layout::kIdCombo.y,
                              dialog_layout::kIdCombo.width, kComboFieldHeightDlu));
  auto* ok = new QPushButton(QString::fromUtf8(texts::kOk), this);
  ok->setGeometry(DluRect(dialog_layout::kIdOk));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QString::fromUtf8(texts::kCancel), this);
  cancel->setGeometry(DluRect(dialog_layout::kIdCancel));
  cancel->hide();
  // The chooser starts on OK, its first control that takes the focus, so that Enter or
  // the space bar takes the device already chosen.
  ok->setFocus();

  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(combo_, &QComboBox::currentIndexChanged, this,
          [this] { handlers_.OnSelChange(adapter_); });
  connect(combo_, &CloseUpComboBox::closedUp, this, [this] { handlers_.OnCloseUp(adapter_); });
}

void IdChooserWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Filled each time the program shows the window, not when the window system merely
  // shows it again.
  if (!event->spontaneous()) handlers_.OnShowWindow(adapter_);
}

}  // namespace oxi
