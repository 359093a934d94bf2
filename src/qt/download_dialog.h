#pragma once
#include <QDialog>

#include "platform/ui/platform.h"

class QLabel;
class QProgressBar;

namespace oxi {

// The download-progress window: modeless, owned by the main window, hidden until the
// download shows it. It has no close box and ignores Esc, so it goes away only when the
// download hides it and comes back intact for the next one.
class CDLDialog : public QDialog, public ProgressDialog {
 public:
  explicit CDLDialog(QWidget* owner);

  void Show() override;
  void Hide() override;
  void SetBar(int percent) override;
  void SetStatus(const std::string& text) override;
  void SetPercentText(const std::string& text) override;
  void Repaint() override;

  const QProgressBar& Bar() const { return *bar_; }
  const QLabel& Status() const { return *status_; }
  const QLabel& Percent() const { return *percent_; }
  bool IsExposed() const;

 public:
  void reject() override;

 private:
  QProgressBar* bar_;
  QLabel* status_;
  QLabel* percent_;
};

}  // namespace oxi
