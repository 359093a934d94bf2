#pragma once
#include <QComboBox>
#include <QDialog>

#include "platform/ui/platform.h"

namespace oxi {

// A drop-down list that tells when its list closes up, whether or not the user picked
// anything.
class CloseUpComboBox : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;
  void hidePopup() override;

 signals:
  void closedUp();
};

// The combo box as the chooser's handlers see it. Changes made through it are the
// program's own and notify nobody, as only the user's changes do.
class QtComboAdapter : public ComboBox {
 public:
  explicit QtComboAdapter(QComboBox& combo) : combo_(combo) {}
  void ResetContent() override;
  void AddString(const std::string& text) override;
  void SetCurSel(int index) override;
  std::string WindowText() const override;

 private:
  QComboBox& combo_;
};

// The device-ID chooser's window: a prompt, the drop-down list of IDs and OK. Its
// behaviour is the handlers': they fill the list when the window shows and read the
// choice when the list closes up.
class IdChooserWindow : public QDialog {
 public:
  explicit IdChooserWindow(IdDialogHandlers& handlers);

  CloseUpComboBox& Combo() { return *combo_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  IdDialogHandlers& handlers_;
  CloseUpComboBox* combo_;
  QtComboAdapter adapter_;
};

}  // namespace oxi
