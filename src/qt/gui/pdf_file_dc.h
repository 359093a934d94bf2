#pragma once
#include <QPageLayout>
#include <QPdfWriter>
#include <QString>
#include <filesystem>
#include <memory>

#include "qt/gui/qt_page_dc.h"
#include "qt/gui/safe_file_device.h"

namespace oxi {

// A PDF writer on `device` with the page, resolution and creator given.
std::unique_ptr<QPdfWriter> MakePdfWriter(QIODevice& device, const QPageLayout& layout, int dpi,
                                          const QString& creator);

namespace pdf_file_detail {
// Built before the page context that draws on them, destroyed after it.
struct Parts {
  Parts(const std::filesystem::path& target, const QPageLayout& layout, int dpi,
        const QString& creator);
  SafeFileDevice file;
  WriteStatus status;
  std::unique_ptr<QPdfWriter> writer;
};
}  // namespace pdf_file_detail

// The printed document as a PDF file, written the safe way: the pages go to a temporary
// file beside `target`, which takes the target's name only when EndDocument finds the document
// complete and every byte written. Otherwise the earlier file stays as it was and EndDocument
// says false.
class PdfFileDc : private pdf_file_detail::Parts, public QtPageDc {
 public:
  PdfFileDc(const std::filesystem::path& target, const QPageLayout& layout, int dpi,
            const QString& creator);
  // Nothing is drawn when no temporary file could be made (a target that is not a regular
  // file, a folder that does not exist): EndDocument then says false.
  void StartPage() override;
  bool EndDocument() override;
  // kWritten once the file is in place; why not otherwise.
  WriteStatus Status() const { return status; }
};

}  // namespace oxi
