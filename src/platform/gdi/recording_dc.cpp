#include "platform/gdi/recording_dc.h"

namespace oxi {

namespace {

constexpr double kA4LongSideMm = 297;
constexpr double kA4ShortSideMm = 210;
constexpr double kMmPerInch = 25.4;

int Dots(double mm, int dpi) {
  return static_cast<int>(mm * dpi / kMmPerInch);
}

}  // namespace

RecordingDc::RecordingDc(int dpiX, int dpiY)
    : dpiX_(dpiX),
      dpiY_(dpiY),
      printableWidth_(Dots(kA4LongSideMm, dpiX)),
      printableHeight_(Dots(kA4ShortSideMm, dpiY)) {}

void RecordingDc::SetPrintableArea(int width, int height) {
  printableWidth_ = width;
  printableHeight_ = height;
}

RecordedOp& RecordingDc::Record(RecordedOp::Kind kind) {
  RecordedOp& op = ops_.emplace_back();
  op.kind = kind;
  op.pen = pen_;
  op.brush = brush_;
  op.font = font_;
  op.textColor = textColor_;
  op.bkColor = bkColor_;
  op.bkMode = bkMode_;
  return op;
}

void RecordingDc::StartDocument(const std::string& name) {
  Record(RecordedOp::Kind::kStartDoc).text = name;
}

void RecordingDc::StartPage() {
  Record(RecordedOp::Kind::kStartPage);
}

void RecordingDc::EndPage() {
  Record(RecordedOp::Kind::kEndPage);
}

bool RecordingDc::EndDocument() {
  Record(RecordedOp::Kind::kEndDoc);
  return true;
}

void RecordingDc::LineTo(int x, int y) {
  RecordedOp& op = Record(RecordedOp::Kind::kLineTo);
  op.x0 = curX_;
  op.y0 = curY_;
  op.x1 = x;
  op.y1 = y;
  curX_ = x;
  curY_ = y;
}

void RecordingDc::SetPixel(int x, int y, Colorref c) {
  RecordedOp& op = Record(RecordedOp::Kind::kSetPixel);
  op.x0 = x;
  op.y0 = y;
  op.pixelColor = c;
}

void RecordingDc::Rectangle(int left, int top, int right, int bottom) {
  RecordedOp& op = Record(RecordedOp::Kind::kRectangle);
  op.x0 = left;
  op.y0 = top;
  op.x1 = right;
  op.y1 = bottom;
}

void RecordingDc::TextOutUtf8(int x, int y, std::string_view utf8) {
  RecordedOp& op = Record(RecordedOp::Kind::kTextOut);
  op.x0 = x;
  op.y0 = y;
  op.text = std::string(utf8);
}

std::vector<RecordedOp> RecordingDc::OpsOf(RecordedOp::Kind kind) const {
  std::vector<RecordedOp> out;
  for (const RecordedOp& op : ops_) {
    if (op.kind == kind) out.push_back(op);
  }
  return out;
}

std::vector<std::string> RecordingDc::Texts() const {
  std::vector<std::string> out;
  for (const RecordedOp& op : ops_) {
    if (op.kind == RecordedOp::Kind::kTextOut) out.push_back(op.text);
  }
  return out;
}

}  // namespace oxi
