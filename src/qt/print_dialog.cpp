#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/fs/files.h"
#include "qt/gui/pdf_file_dc.h"
#include "qt/host_window.h"
#include "qt/qt_platform.h"

namespace oxi {
namespace {

// The page the document is laid out for; the dialog offers it first, and the user may
// choose another paper or orientation there.
void SetA4Landscape(QPrinter& printer) {
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Landscape);
}

// The printer the dialog chose: the document's name names the spooler's job.
class PrinterPageDc : public QtPageDc {
 public:
  explicit PrinterPageDc(std::unique_ptr<QPrinter> printer) : QtPageDc(std::move(printer)) {}
  void StartDocument(const std::string& name) override {
    static_cast<QPrinter&>(Device()).setDocName(QString::fromStdString(name));
  }
};

// Printing to a file: the same PDF the printer would write, but written beside the file
// and renamed over it only once complete, so that a full disk leaves the earlier file.
std::unique_ptr<PageDc> PdfFilePage(const QPrinter& printer) {
  const QByteArray target = printer.outputFileName().toUtf8();
  return std::make_unique<PdfFileDc>(
      PathFromUtf8(std::string_view(target.constData(), target.size())), printer.pageLayout(),
      printer.resolution(), printer.creator());
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
  if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty()) {
    return PdfFilePage(*printer);
  }
  return std::make_unique<PrinterPageDc>(std::move(printer));
}

}  // namespace oxi
