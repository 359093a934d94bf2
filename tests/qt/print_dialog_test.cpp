#include <gtest/gtest.h>

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

#include "platform/ui/clock.h"
#include "qt/qt_platform.h"
#include "qt_test_support.h"

namespace oxi {
namespace {

using testing::App;

class PrintDialogTest : public ::testing::Test {
 protected:
  PrintDialogTest() { App(); }

  // Answers the print dialog once it is up; records what it offered.
  void Answer(bool accept) {
    QTimer::singleShot(0, [this, accept] {
      auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      offersSelection = dialog->testOption(QAbstractPrintDialog::PrintSelection);
      offersPageRange = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
      offersCurrentPage = dialog->testOption(QAbstractPrintDialog::PrintCurrentPage);
      documentName = dialog->printer()->docName();
      if (accept) {
        // Paper left on portrait Letter: the page must still come out A4 landscape.
        dialog->printer()->setPageSize(QPageSize(QPageSize::Letter));
        dialog->printer()->setPageOrientation(QPageLayout::Portrait);
        dialog->printer()->setOutputFileName(QDir::temp().filePath("oxi_print_test.pdf"));
        dialog->done(QDialog::Accepted);
      } else {
        dialog->reject();
      }
    });
    QTimer::singleShot(5000, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
  }

  SystemClock clock;
  QtPlatform platform{clock};
  bool offersSelection = true;
  bool offersPageRange = true;
  bool offersCurrentPage = true;
  QString documentName;
};

TEST_F(PrintDialogTest, CancellingGivesNoPage) {
  Answer(false);
  EXPECT_EQ(platform.ShowPrintDialog("2008_0315_0905"), nullptr);
  EXPECT_EQ(documentName, "2008_0315_0905");  // a file output proposes 2008_0315_0905.pdf
  EXPECT_FALSE(offersSelection);
  EXPECT_FALSE(offersPageRange);
  EXPECT_FALSE(offersCurrentPage);
}

TEST_F(PrintDialogTest, ConfirmingGivesAnA4LandscapePageAtThePrinterResolution) {
  Answer(true);
  std::unique_ptr<PageDc> page = platform.ShowPrintDialog("2008_0315_0905");
  ASSERT_NE(page, nullptr);
  EXPECT_GE(page->DpiX(), 300);
  EXPECT_EQ(page->DpiX(), page->DpiY());
  page->StartDocument("2008_0315_0905");
  page->StartPage();
  page->EndPage();
  page->EndDocument();
  page.reset();

  // The test's printer writes a PDF: its page box is A4 across (842 pt) by A4 down (595).
  QFile pdf(QDir::temp().filePath("oxi_print_test.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  pdf.remove();
  EXPECT_TRUE(bytes.contains("/MediaBox [0 0 842.000000 595.000000]"));
}

}  // namespace
}  // namespace oxi
