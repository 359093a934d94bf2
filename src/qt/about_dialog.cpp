#include "qt/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "platform/fs/files.h"
#include "platform/text/text_format.h"
#include "qt/app_icon.h"
#include "res/build_info.h"
#include "res/texts.h"

namespace oxi {
namespace {

constexpr int kIconPixels = 32;

}  // namespace

CAboutDialog::CAboutDialog(QWidget* parent, const std::filesystem::path& storeFolder)
    : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(texts::kProductTitle));
  auto* icon = new QLabel(this);
  icon->setPixmap(AppIcon().pixmap(kIconPixels, kIconPixels));
  auto* version = new QLabel(
      QString::fromStdString(FormatText(texts::kProductVersionFormat, build::kVersion)), this);
  auto* store = new QLabel(
      QString::fromStdString(FormatText(texts::kAboutStoreFormat, PathToUtf8(storeFolder).c_str())),
      this);
  store->setTextFormat(Qt::PlainText);  // a folder name is never markup
  store->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setIcon(QIcon());  // a plain OK, no style icon
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, Qt::AlignTop);
  layout->addWidget(version, 0, 1);
  layout->addWidget(store, 1, 1);
  layout->addWidget(buttons, 2, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace oxi
