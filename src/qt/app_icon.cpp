#include "qt/app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace oxi {
namespace {

constexpr std::array kIconSizes{16, 32, 48, 64, 128};

// The pulse trace in fractions of the icon's side: flat, a sharp beat, flat again.
constexpr std::array<QPointF, 7> kPulse{
    QPointF{0.10, 0.48}, QPointF{0.34, 0.48}, QPointF{0.44, 0.20}, QPointF{0.54, 0.70},
    QPointF{0.62, 0.40}, QPointF{0.68, 0.48}, QPointF{0.90, 0.48}};

QPixmap PaintIcon(int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF frame(0.5, 0.5, side - 1.0, side - 1.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(24, 52, 92));
  p.drawRoundedRect(frame, side * 0.18, side * 0.18);

  // Oxygenated red fading to deoxygenated blue: what the monitor measures.
  QLinearGradient band(0, 0, side, 0);
  band.setColorAt(0, QColor(220, 40, 50));
  band.setColorAt(1, QColor(60, 110, 230));
  p.setBrush(band);
  p.drawRect(QRectF(side * 0.12, side * 0.76, side * 0.76, side * 0.10));

  QPainterPath trace;
  trace.moveTo(kPulse.front() * side);
  for (const QPointF& point : kPulse) trace.lineTo(point * side);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, side / 16.0 + 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(trace);
  return pixmap;
}

}  // namespace

QIcon AppIcon() {
  QIcon icon;
  for (int side : kIconSizes) icon.addPixmap(PaintIcon(side));
  return icon;
}

}  // namespace oxi
