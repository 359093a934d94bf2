#pragma once
#include <QDialog>

#include "app/host_input.h"
#include "platform/ui/platform.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace oxi {

// The download-progress window: modeless, owned by the main window, hidden until the
// download shows it. Its Cancel button and its close box ask the download to stop (it
// looks after every sector); the window itself goes away only when the download hides it,
// and comes back intact for the next one. Esc does nothing.
class CDLDialog : public QDialog, public ProgressDialog {
 public:
  explicit CDLDialog(QWidget* owner);

  void Show() override;
  void Hide() override;
  void SetBar(int percent) override;
  void SetStatus(const std::string& text) override;
  void SetPercentText(const std::string& text) override;
  void Repaint() override;
  bool CancelRequested() override { return cancel_.Requested(); }
  void SetCancellable(bool cancellable) override;

  const QProgressBar& Bar() const { return *bar_; }
  const QLabel& Status() const { return *status_; }
  const QLabel& Percent() const { return *percent_; }
  QPushButton& CancelButton() const { return *cancelButton_; }
  bool IsExposed() const;

 public:
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void RequestCancel();
  void ShowCancel();

  QProgressBar* bar_;
  QLabel* status_;
  QLabel* percent_;
  QPushButton* cancelButton_;
  ProgressCancel cancel_;
};

}  // namespace oxi
