#pragma once
#include <map>
#include <string>
#include <tuple>

#include "platform/gdi/dc.h"
#include "win32/windows_api.h"

namespace oxi {

// The printed document's drawing calls on a GDI device context (the printer's, from the
// print dialog): coordinates are dots at the context's resolution from the top left of
// its printable area, wide pens draw flat-ended bands, rectangles keep their outline
// inside, texts stand by their top-left corner in the face the program names.
class GdiPageDc : public PageDc {
 public:
  // Draws on `dc`. An owned context is deleted with this object (the printer's); one that
  // is not (a memory context in a test) is left as it was found.
  GdiPageDc(HDC dc, bool owned);
  ~GdiPageDc() override;
  GdiPageDc(const GdiPageDc&) = delete;
  GdiPageDc& operator=(const GdiPageDc&) = delete;

  int DpiX() const override;
  int DpiY() const override;
  int PrintableWidth() const override;
  int PrintableHeight() const override;
  void StartDocument(const std::string& name) override;
  void StartPage() override;
  void EndPage() override;
  // A printer's spooler reports its failures to the user itself: always true.
  bool EndDocument() override;

  void LineTo(int x, int y) override;
  void SetPixel(int x, int y, Colorref c) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void TextOutUtf8(int x, int y, std::string_view utf8) override;

 private:
  // Selects the GDI pen or font for the selected one, each made once.
  void UsePen(bool insideFrame);
  void UseFont();
  // A solid brush of that colour, made once.
  HBRUSH SolidBrush(Colorref color);

  HDC dc_;
  bool owned_;
  bool documentStarted_ = false;
  int savedState_;  // the context's own objects and modes, restored at the end
  std::map<std::tuple<Colorref, int, bool>, HPEN> pens_;
  std::map<Colorref, HBRUSH> brushes_;
  std::map<std::tuple<std::string, int, int>, HFONT> fonts_;
};

}  // namespace oxi
