#include <gtest/gtest.h>

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "qt/dialog_language.h"
#include "qt_test_support.h"

namespace oxi {
namespace {

// Qt's own dialogs speak the face's language: its standard buttons and the file chooser.
TEST(DialogLanguage, QtsOwnDialogsSpeakJapanese) {
  QTranslator* translator = SpeakJapaneseInQtDialogs(testing::App());
  ASSERT_NE(translator, nullptr) << "Qt's Japanese translations (qtbase_ja.qm) are missing";
  QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text().toStdString(), "キャンセル");
  QFileDialog chooser;
  chooser.setOption(QFileDialog::DontUseNativeDialog);
  chooser.setAcceptMode(QFileDialog::AcceptSave);
  bool saveInJapanese = false;
  for (const QPushButton* button : chooser.findChildren<QPushButton*>()) {
    saveInJapanese = saveInJapanese || button->text().startsWith(QString::fromUtf8("保存"));
  }
  EXPECT_TRUE(saveInJapanese);
  EXPECT_EQ(QLocale().language(), QLocale::Japanese);
  QCoreApplication::removeTranslator(translator);
  delete translator;
  QLocale::setDefault(QLocale::system());
}

}  // namespace
}  // namespace oxi
