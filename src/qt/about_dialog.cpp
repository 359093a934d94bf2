#include "qt/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/viewer_log.h"
#include "platform/fs/files.h"
#include "platform/text/text_format.h"
#include "qt/app_icon.h"
#include "res/build_info.h"
#include "res/texts.h"

namespace oxi {
namespace {

constexpr int kIconPixels = 32;

// A line naming a path, which the user may select and copy.
QLabel* PathLine(const char* format, const std::filesystem::path& path, QWidget* parent) {
  auto* line =
      new QLabel(QString::fromStdString(FormatText(format, PathToUtf8(path).c_str())), parent);
  line->setTextFormat(Qt::PlainText);  // a folder name is never markup
  line->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return line;
}

}  // namespace

CAboutDialog::CAboutDialog(QWidget* parent, const std::filesystem::path& storeFolder)
    : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(texts::kProductTitle));
  auto* icon = new QLabel(this);
  icon->setPixmap(AppIcon().pixmap(kIconPixels, kIconPixels));
  auto* version = new QLabel(
      QString::fromStdString(FormatText(texts::kProductVersionFormat, build::kVersion)), this);
  QLabel* store = PathLine(texts::kAboutStoreFormat, storeFolder, this);
  QLabel* log = PathLine(texts::kAboutLogFormat, ViewerLogFile(storeFolder), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setIcon(QIcon());  // a plain OK, no style icon
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, Qt::AlignTop);
  layout->addWidget(version, 0, 1);
  layout->addWidget(store, 1, 1);
  layout->addWidget(log, 2, 1);
  layout->addWidget(buttons, 3, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace oxi
