#include "qt/dialog_language.h"

#include <QLibraryInfo>
#include <QLocale>

namespace oxi {

QTranslator* SpeakJapaneseInQtDialogs(QCoreApplication& app) {
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  // Dates and numbers in those dialogs (the file chooser's columns, the page ranges) too.
  QLocale::setDefault(japanese);
  auto* translator = new QTranslator(&app);
  if (!translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}

}  // namespace oxi
