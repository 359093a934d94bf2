#pragma once
#include <QDialog>
#include <filesystem>

namespace oxi {

// The about box: the application icon, the product name with its version, the store's
// folder and the window's log file in it, and OK.
class CAboutDialog : public QDialog {
 public:
  CAboutDialog(QWidget* parent, const std::filesystem::path& storeFolder);
};

}  // namespace oxi
