#include "qt/gui/qt_page_dc.h"

#include <QColor>
#include <QFontMetrics>
#include <QPdfWriter>
#include <QPen>
#include <algorithm>

#include "platform/gdi/posix/font_match.h"

namespace oxi {
namespace {

QColor ToQColor(Colorref c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

}  // namespace

QtPageDc::QtPageDc(QPagedPaintDevice& device) : device_(device) {}

QtPageDc::QtPageDc(std::unique_ptr<QPagedPaintDevice> device)
    : owned_(std::move(device)), device_(*owned_) {}

QtPageDc::~QtPageDc() {
  if (painter_.isActive()) painter_.end();
}

int QtPageDc::DpiX() const {
  return device_.logicalDpiX();
}
int QtPageDc::DpiY() const {
  return device_.logicalDpiY();
}
int QtPageDc::PrintableWidth() const {
  return device_.width();
}
int QtPageDc::PrintableHeight() const {
  return device_.height();
}

void QtPageDc::StartDocument(const std::string& name) {
  if (auto* pdf = dynamic_cast<QPdfWriter*>(&device_)) pdf->setTitle(QString::fromStdString(name));
}

void QtPageDc::StartPage() {
  // The painter opens the first page itself; every further one is asked for.
  if (pages_ == 0) {
    painter_.begin(&device_);
  } else if (painter_.isActive()) {
    device_.newPage();
  }
  ++pages_;
}

bool QtPageDc::EndPainting() {
  // Not active: no page was started, or the device refused to begin.
  return painter_.isActive() && painter_.end();
}

bool QtPageDc::EndDocument() {
  EndPainting();
  return true;
}

void QtPageDc::UsePen() {
  QPen pen(ToQColor(pen_.color));
  pen.setWidth(std::max(1, pen_.width));
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  painter_.setPen(pen);
  painter_.setBrush(Qt::NoBrush);
}

void QtPageDc::LineTo(int x, int y) {
  if (painter_.isActive()) {
    if (x == curX_ && y == curY_) {
      // A flat-ended line of no length would vanish, but the page uses such lines as the
      // dots of a gap: they leave a square of the pen's width.
      const double w = std::max(1, pen_.width);
      painter_.fillRect(QRectF(x - w / 2, y - w / 2, w, w), ToQColor(pen_.color));
    } else {
      UsePen();
      painter_.drawLine(QPoint(curX_, curY_), QPoint(x, y));
    }
  }
  curX_ = x;
  curY_ = y;
}

void QtPageDc::SetPixel(int x, int y, Colorref c) {
  if (painter_.isActive()) painter_.fillRect(QRect(x, y, 1, 1), ToQColor(c));
}

void QtPageDc::Rectangle(int left, int top, int right, int bottom) {
  if (!painter_.isActive() || right <= left || bottom <= top) return;
  painter_.fillRect(QRect(left, top, right - left, bottom - top), ToQColor(brush_.color));
  UsePen();
  // The outline stays inside the rectangle, which ends before right and bottom.
  const double w = std::max(1, pen_.width);
  painter_.drawRect(QRectF(left + w / 2, top + w / 2, right - left - w, bottom - top - w));
}

const QFont& QtPageDc::QtFont(const Font& font) {
  const auto key = std::make_pair(font.face, font.height);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  QFont q;
  const FontMatch match = MatchFont(font.face);
  if (!match.family.empty()) q.setFamily(QString::fromStdString(match.family));
  q.setPixelSize(std::max(1, font.height));
  if (font.weight > 0) q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
  return fonts_.emplace(key, q).first->second;
}

void QtPageDc::TextOutUtf8(int x, int y, std::string_view utf8) {
  if (!painter_.isActive()) return;
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  painter_.setFont(QtFont(font_));
  const QFontMetrics metrics = painter_.fontMetrics();
  if (bkMode_ == BkMode::kOpaque) {
    painter_.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()),
                      ToQColor(bkColor_));
  }
  painter_.setPen(ToQColor(textColor_));
  painter_.drawText(QPoint(x, y + metrics.ascent()), text);
}

}  // namespace oxi
