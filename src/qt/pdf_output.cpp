#include "qt/pdf_output.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <cstdlib>

#include "graph/print_page.h"
#include "qt/pdf_file_dc.h"

namespace oxi {
namespace {

constexpr int kPdfDpi = 600;

// Fonts need a GUI application. A command-line process gets one on the offscreen
// platform; it lives until the process ends, as Qt expects of its application object.
void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "oxitool";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);
}

}  // namespace

std::optional<std::string> PrintedPdf(const CurrentMeasurement& m, int window,
                                      const std::string& commentCp932) {
  EnsureGuiApplication();
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    const QPageLayout a4Landscape(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                  QMarginsF(0, 0, 0, 0));
    std::unique_ptr<QPdfWriter> writer =
        MakePdfWriter(buffer, a4Landscape, kPdfDpi, QStringLiteral("oxitool"));
    QtPageDc page(*writer);
    DrawPrintedDocument(page, m, window, kMeasurementShown, commentCp932);
    if (page.Pages() == 0) return std::nullopt;
  }
  const QByteArray& pdf = buffer.data();
  return std::string(pdf.constData(), static_cast<std::size_t>(pdf.size()));
}

}  // namespace oxi
