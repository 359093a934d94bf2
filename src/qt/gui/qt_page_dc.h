#pragma once
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <map>
#include <memory>
#include <string>

#include "platform/gdi/dc.h"

namespace oxi {

// The printed document's drawing calls on a paged Qt device (a QPdfWriter, or a printer
// through a subclass that names the spooler's job): coordinates are dots at the device's resolution
// from the top left of its printable area, wide pens draw flat-ended bands, texts stand by their
// top-left corner in the face the screen's font matcher picks. The device must already
// have its page size and orientation.
class QtPageDc : public PageDc {
 public:
  // Draws on `device`, which must outlive this context.
  explicit QtPageDc(QPagedPaintDevice& device);
  // Draws on a device this context keeps.
  explicit QtPageDc(std::unique_ptr<QPagedPaintDevice> device);
  ~QtPageDc() override;
  QtPageDc(const QtPageDc&) = delete;
  QtPageDc& operator=(const QtPageDc&) = delete;

  int DpiX() const override;
  int DpiY() const override;
  int PrintableWidth() const override;
  int PrintableHeight() const override;
  // A PDF takes the name as its title.
  void StartDocument(const std::string& name) override;
  void StartPage() override;
  void EndPage() override {}
  // A printer's spooler reports nothing: always true.
  bool EndDocument() override;

  void LineTo(int x, int y) override;
  void SetPixel(int x, int y, Colorref c) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void TextOutUtf8(int x, int y, std::string_view utf8) override;

  // Pages started so far.
  int Pages() const { return pages_; }

 protected:
  // Ends the painting; false when it never began or the device reported a failure.
  bool EndPainting();
  QPagedPaintDevice& Device() { return device_; }

 private:
  const QFont& QtFont(const Font& font);
  void UsePen();

  std::unique_ptr<QPagedPaintDevice> owned_;
  QPagedPaintDevice& device_;
  QPainter painter_;
  int pages_ = 0;
  std::map<std::pair<std::string, int>, QFont> fonts_;
};

}  // namespace oxi
