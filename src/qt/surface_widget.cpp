#include "qt/surface_widget.h"

#include <QPaintEvent>
#include <QPainter>

namespace oxi {

QImage SurfaceImage(const Surface& surface) {
  return QImage(surface.Data(), surface.Width(), surface.Height(), surface.Stride(),
                QImage::Format_RGB888);
}

SurfaceWidget::SurfaceWidget(const Surface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
  // Every pixel comes from the surface: Qt need not clear or paint anything below it.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  painter.drawImage(area.topLeft(), SurfaceImage(surface_), area);
}

}  // namespace oxi
