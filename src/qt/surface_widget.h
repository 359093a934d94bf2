#pragma once
#include <QWidget>

#include "platform/gdi/surface.h"

namespace oxi {

// Shows the pixels of one Surface 1:1. The surface is drawn on by the toolkit-free code;
// this widget only copies whatever part of it Qt asks to paint.
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
