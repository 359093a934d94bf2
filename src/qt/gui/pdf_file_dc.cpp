#include "qt/gui/pdf_file_dc.h"

namespace oxi {

std::unique_ptr<QPdfWriter> MakePdfWriter(QIODevice& device, const QPageLayout& layout, int dpi,
                                          const QString& creator) {
  auto writer = std::make_unique<QPdfWriter>(&device);
  writer->setResolution(dpi);
  writer->setPageLayout(layout);
  writer->setCreator(creator);
  return writer;
}

pdf_file_detail::Parts::Parts(const std::filesystem::path& target, const QPageLayout& layout,
                              int dpi, const QString& creator)
    : status(file.Begin(target)), writer(MakePdfWriter(file, layout, dpi, creator)) {}

PdfFileDc::PdfFileDc(const std::filesystem::path& target, const QPageLayout& layout, int dpi,
                     const QString& creator)
    : Parts(target, layout, dpi, creator), QtPageDc(*writer) {}

void PdfFileDc::StartPage() {
  if (status == WriteStatus::kWritten) QtPageDc::StartPage();
}

bool PdfFileDc::EndDocument() {
  const bool ended = EndPainting();
  if (status != WriteStatus::kWritten) return false;
  // A document that never got a page, or whose painting failed, is no file to keep.
  if (!ended) {
    status = WriteStatus::kCannotWrite;
    return false;
  }
  status = file.Commit();
  return status == WriteStatus::kWritten;
}

}  // namespace oxi
