#pragma once
#include <QCoreApplication>
#include <QTranslator>

namespace oxi {

// Makes Qt's own dialogs (file chooser, print dialog, standard buttons) speak Japanese,
// the language of the window's face, whatever the desktop's language: installs Qt's
// Japanese translations into `app`, which owns them. Nothing when they are not installed.
QTranslator* SpeakJapaneseInQtDialogs(QCoreApplication& app);

}  // namespace oxi
