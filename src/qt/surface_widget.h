#pragma once
#include <QImage>
#include <QWidget>

#include "platform/gdi/surface.h"

namespace oxi {

// A surface's bytes wrapped without copying: the image lives only for the paint that
// draws it.
QImage SurfaceImage(const Surface& surface);

// Shows the pixels of one Surface (a tool window's), drawn at its own scale. The surface is
// drawn on by the toolkit-free code; this widget only copies it to the screen.
class SurfaceWidget : public QWidget {
 public:
  SurfaceWidget(const Surface& surface, QWidget* parent);

  const Surface& Shown() const { return surface_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Surface& surface_;
};

}  // namespace oxi
