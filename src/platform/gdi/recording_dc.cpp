#include "platform/gdi/recording_dc.h"

namespace oxi {

RecordingDc::RecordingDc(int dpiX, int dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}

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

void RecordingDc::EndDocument() {
  Record(RecordedOp::Kind::kEndDoc);
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
