#include "qt/app_icon.h"

#include <QDir>

namespace oxi {

QIcon AppIcon() {
  // Every size the build rendered from the drawing in res/icons/ (cmake/Icons.cmake).
  const QDir sizes(QStringLiteral(":/icons"));
  QIcon icon;
  for (const QString& file : sizes.entryList(QDir::Files)) icon.addFile(sizes.filePath(file));
  return icon;
}

}  // namespace oxi
