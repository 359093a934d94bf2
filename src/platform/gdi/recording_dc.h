#pragma once
#include <string>
#include <vector>

#include "platform/gdi/dc.h"

namespace oxi {

// One call made on a RecordingDc, with the context's state at that moment.
struct RecordedOp {
  enum class Kind {
    kLineTo,     // from (x0, y0) to (x1, y1)
    kSetPixel,   // (x0, y0) in pixelColor
    kRectangle,  // (x0, y0, x1, y1): left, top, right, bottom
    kTextOut,    // text at (x0, y0)
    kStartDoc,   // text: the document name
    kStartPage,
    kEndPage,
    kEndDoc,
  };
  Kind kind = Kind::kLineTo;
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;
  Pen pen;
  Brush brush;
  Font font;
  Colorref textColor = kBlack;
  Colorref bkColor = kWhite;
  BkMode bkMode = BkMode::kOpaque;
  Colorref pixelColor = kBlack;
  std::string text;  // UTF-8
};

// A page context that draws nothing and keeps every call, for checking what a drawing
// asked for and for feeding drawings arbitrary input.
class RecordingDc : public PageDc {
 public:
  static constexpr int kDefaultDpi = 600;

  // The printable area is a whole A4 landscape sheet at these resolutions unless set.
  explicit RecordingDc(int dpiX = kDefaultDpi, int dpiY = kDefaultDpi);

  int DpiX() const override { return dpiX_; }
  int DpiY() const override { return dpiY_; }
  int PrintableWidth() const override { return printableWidth_; }
  int PrintableHeight() const override { return printableHeight_; }
  void SetPrintableArea(int width, int height);
  void StartDocument(const std::string& name) override;
  void StartPage() override;
  void EndPage() override;
  bool EndDocument() override;

  void LineTo(int x, int y) override;
  void SetPixel(int x, int y, Colorref c) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void TextOutUtf8(int x, int y, std::string_view utf8) override;

  const std::vector<RecordedOp>& Ops() const { return ops_; }
  // The calls of one kind, in order.
  std::vector<RecordedOp> OpsOf(RecordedOp::Kind kind) const;
  // The texts drawn, in order.
  std::vector<std::string> Texts() const;
  void Clear() { ops_.clear(); }

 private:
  RecordedOp& Record(RecordedOp::Kind kind);

  int dpiX_;
  int dpiY_;
  int printableWidth_;
  int printableHeight_;
  std::vector<RecordedOp> ops_;
};

}  // namespace oxi
