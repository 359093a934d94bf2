#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

#include "qt/host_window.h"
#include "qt/qt_page_dc.h"
#include "qt/qt_platform.h"

namespace oxi {
namespace {

// The printed page is laid out for A4 landscape, whatever paper the dialog was left on.
void SetA4Landscape(QPrinter& printer) {
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Landscape);
}

}  // namespace

std::unique_ptr<PageDc> QtPlatform::ShowPrintDialog(const std::string& documentName) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  SetA4Landscape(*printer);
  // Named before the dialog opens, so that printing to a file proposes "<name>.pdf".
  printer->setDocName(QString::fromStdString(documentName));
  QPrintDialog dialog(printer.get(), window_);
  // One document of known pages: nothing to select and no page numbers to choose. The
  // file output stays: on this system it is how a page becomes a PDF.
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  SetA4Landscape(*printer);
  return std::make_unique<QtPageDc>(std::move(printer));
}

}  // namespace oxi
