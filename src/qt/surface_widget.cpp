#include "qt/surface_widget.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace oxi {

SurfaceWidget::SurfaceWidget(const Surface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
  // Every pixel comes from the surface: Qt need not clear or paint anything below it.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
  // Wraps the surface's bytes without copying them; the image lives only for this paint.
  const QImage image(surface_.Data(), surface_.Width(), surface_.Height(), surface_.Stride(),
                     QImage::Format_RGB888);
  QPainter painter(this);
  const QRect area = event->rect();
  painter.drawImage(area.topLeft(), image, area);
}

}  // namespace oxi
