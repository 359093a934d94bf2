#pragma once
#include <QDialog>

namespace oxi {

// The about box: the application icon, the product name with its version, and OK.
class CAboutDialog : public QDialog {
 public:
  explicit CAboutDialog(QWidget* parent);
};

}  // namespace oxi
