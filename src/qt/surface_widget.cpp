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

void SurfaceWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The surface is drawn at its own scale; Qt places its device pixels on the widget's.
  QImage image = SurfaceImage(surface_);
  image.setDevicePixelRatio(surface_.Grid().scale.Ratio());
  painter.drawImage(QPoint(0, 0), image);
}

}  // namespace oxi
