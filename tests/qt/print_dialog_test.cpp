#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <sstream>

#include "graph/print_page.h"
#include "platform/ui/clock.h"
#include "posix/file_size_limit.h"
#include "qt/gui/pdf_file_dc.h"
#include "qt/qt_platform.h"
#include "qt_test_support.h"

namespace oxi {
namespace {

using testing::App;

std::string ReadAll(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class PrintDialogTest : public ::testing::Test {
 protected:
  PrintDialogTest() { App(); }
  ~PrintDialogTest() override { QFile::remove(output); }

  // Answers the print dialog once it is up; records what it offered. Accepting, it picks
  // `page` and prints to the PDF file `output`.
  void Answer(bool accept, QPageSize::PageSizeId page = QPageSize::A4,
              QPageLayout::Orientation orientation = QPageLayout::Landscape) {
    QTimer::singleShot(0, [=, this] {
      auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      offersSelection = dialog->testOption(QAbstractPrintDialog::PrintSelection);
      offersPageRange = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
      offersCurrentPage = dialog->testOption(QAbstractPrintDialog::PrintCurrentPage);
      documentName = dialog->printer()->docName();
      offeredLayout = dialog->printer()->pageLayout();
      if (accept) {
        dialog->printer()->setPageSize(QPageSize(page));
        dialog->printer()->setPageOrientation(orientation);
        dialog->printer()->setOutputFileName(output);
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
  // A folder of the test's own, so that what a failed write leaves there is its own.
  QTemporaryDir folder;
  QString output = folder.filePath("print.pdf");
  bool offersSelection = true;
  bool offersPageRange = true;
  bool offersCurrentPage = true;
  QString documentName;
  QPageLayout offeredLayout;
};

TEST_F(PrintDialogTest, CancellingGivesNoPage) {
  Answer(false);
  EXPECT_EQ(platform.ShowPrintDialog("2008_0315_0905"), nullptr);
  EXPECT_EQ(documentName, "2008_0315_0905");  // a file output proposes 2008_0315_0905.pdf
  EXPECT_FALSE(offersSelection);
  EXPECT_FALSE(offersPageRange);
  EXPECT_FALSE(offersCurrentPage);
  EXPECT_EQ(offeredLayout.pageSize().id(), QPageSize::A4);
  EXPECT_EQ(offeredLayout.orientation(), QPageLayout::Landscape);
}

// The dialog offers A4 landscape; the paper the user picks there is the paper printed.
TEST_F(PrintDialogTest, ThePageChosenIsThePagePrinted) {
  const struct {
    QPageSize::PageSizeId size;
    QPageLayout::Orientation orientation;
    const char* mediaBox;
  } cases[] = {
      {QPageSize::A4, QPageLayout::Landscape, "/MediaBox [0 0 842.000000 595.000000]"},
      {QPageSize::Letter, QPageLayout::Landscape, "/MediaBox [0 0 792.000000 612.000000]"},
      {QPageSize::Letter, QPageLayout::Portrait, "/MediaBox [0 0 612.000000 792.000000]"},
  };
  for (const auto& c : cases) {
    Answer(true, c.size, c.orientation);
    std::unique_ptr<PageDc> page = platform.ShowPrintDialog("2008_0315_0905");
    ASSERT_NE(page, nullptr);
    EXPECT_GE(page->DpiX(), 300);
    EXPECT_EQ(page->DpiX(), page->DpiY());
    // The printable area is the page less the printer's margins, in dots.
    const QSizeF mm = QPageSize(c.size).size(QPageSize::Millimeter);
    const double across = c.orientation == QPageLayout::Landscape ? mm.height() : mm.width();
    EXPECT_LE(page->PrintableWidth(), across / 25.4 * page->DpiX() + 1);
    EXPECT_GT(page->PrintableWidth(), (across - 30) / 25.4 * page->DpiX());
    EXPECT_TRUE(DrawPrintedDocument(*page, CurrentMeasurement{}, 1, 0, ""));
    page.reset();
    const std::string pdf = ReadAll(output);
    EXPECT_NE(pdf.find(c.mediaBox), std::string::npos) << c.mediaBox;
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
  }
}

// Printing to a file goes to a temporary file beside it: a file that cannot be written in
// full (a file-size limit here, as a full disk) leaves the earlier one as it was and says
// so, and leaves nothing else behind.
TEST_F(PrintDialogTest, AFileThatCannotBeWrittenKeepsTheEarlierOne) {
  { std::ofstream(output.toStdString(), std::ios::binary) << "earlier"; }
  Answer(true);
  std::unique_ptr<PageDc> page = platform.ShowPrintDialog("2008_0315_0905");
  ASSERT_NE(page, nullptr);
  bool completed = true;
  {
    const testing::FileSizeLimit limit(4096);
    completed = DrawPrintedDocument(*page, CurrentMeasurement{}, 1, 0, "");
    page.reset();
  }
  EXPECT_FALSE(completed);
  EXPECT_EQ(ReadAll(output), "earlier");
  const QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
  EXPECT_EQ(left, QStringList{"print.pdf"}) << left.join(" ").toStdString();

  // A pipe of that name is no file to replace: nothing is drawn on it, and it stays.
  const std::string pipe = output.toStdString() + ".pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  {
    PdfFileDc pipePage(pipe, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, {}), 300,
                       QString());
    EXPECT_FALSE(DrawPrintedDocument(pipePage, CurrentMeasurement{}, 1, 0, ""));
  }
  struct stat st {};
  EXPECT_TRUE(::stat(pipe.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
  ::unlink(pipe.c_str());
}

}  // namespace
}  // namespace oxi
