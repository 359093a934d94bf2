#pragma once
#include <QLineEdit>
#include <QWidget>
#include <array>
#include <filesystem>

#include "app/host_input.h"
#include "platform/gdi/surface.h"
#include "platform/ui/platform.h"

namespace oxi {

// The main window on the screen: a fixed-size top-level widget, 1024 x 738 logical pixels,
// that shows the face surface as its background with the graph, calendar and list surfaces
// at their places, and the real moving-average edit field. The surfaces are drawn at the
// window's device pixel ratio and copied pixel for pixel; when the ratio changes (the
// window moved to a screen of another scale) they are drawn anew at it. It turns Qt's
// events into the main window's handlers, in device pixels of the client area, which the
// input rules map back to the logical ones.
class HostWindow : public QWidget {
  Q_OBJECT

 public:
  // Indexed by SurfaceId; the surfaces must outlive the window.
  using Surfaces = std::array<const Surface*, 4>;

  HostWindow(WindowHandlers& handlers, const Surfaces& surfaces);
  ~HostWindow() override;

  // Shows the surface's current pixels before returning.
  void Present(SurfaceId id);
  QLineEdit& WindowEdit() { return *windowEdit_; }
  // Names the store's folder in the title bar and in the about box.
  void ShowStoreFolder(const std::filesystem::path& folder);

 signals:
  // Esc or the close box ended the window; the handlers have run OnCancel.
  void ended();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildEditField();
  bool HandleKey(QObject* receiver, QEvent* event);
  void ActivateForPress();
  void QueuePaint();
  void DeliverPaint();

  HostInput input_;
  Surfaces surfaces_;
  QLineEdit* windowEdit_ = nullptr;
  std::filesystem::path storeFolder_;
  bool paintQueued_ = false;
  bool activatedByPress_ = false;
};

}  // namespace oxi
