#include <QPrintDialog>
#include <QPrinter>

#include "qt/qt_platform.h"

namespace oxi {

std::unique_ptr<PageDc> QtPlatform::ShowPrintDialog() {
  return nullptr;
}

}  // namespace oxi
