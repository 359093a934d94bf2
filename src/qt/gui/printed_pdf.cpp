// PDF through Qt's PDF writer, drawn by the same page code as the printer.
#include "graph/printed_pdf.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <memory>

#include "graph/print_page.h"
#include "platform/ui/process.h"
#include "qt/gui/pdf_file_dc.h"

namespace oxi {
namespace {

constexpr int kPdfDpi = 600;
constexpr const char* kPlatformVariable = "QT_QPA_PLATFORM";

// Fonts need a GUI application. A process without one (oxitool) gets one for the drawing,
// on the offscreen platform unless QT_QPA_PLATFORM names another; it goes once the
// document is drawn. Qt keeps the arguments for the application's life and takes its own
// options out of them, so they are set afresh each time.
std::unique_ptr<QGuiApplication> GuiApplicationForDrawing() {
  if (QCoreApplication::instance()) return nullptr;
  static char name[] = "oxitool";
  static char platformOption[] = "-platform";
  static char offscreen[] = "offscreen";
  static char* argv[4];
  static int argc;
  argc = EnvironmentVariable(kPlatformVariable) ? 1 : 3;
  argv[0] = name;
  argv[1] = platformOption;
  argv[2] = offscreen;
  argv[argc] = nullptr;
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

bool PdfSupported() {
  return true;
}

std::optional<std::string> PrintedPdf(const CurrentMeasurement& m, int window,
                                      const std::string& commentCp932) {
  const std::unique_ptr<QGuiApplication> app = GuiApplicationForDrawing();
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
