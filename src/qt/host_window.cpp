#include "qt/host_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>
#include <cmath>

#include "app/host_layout.h"
#include "app/window_commands.h"
#include "platform/fs/files.h"
#include "platform/text/text_format.h"
#include "qt/about_dialog.h"
#include "qt/app_icon.h"
#include "qt/screen_font.h"
#include "qt/surface_widget.h"
#include "qt/toolkit_input.h"
#include "res/texts.h"

namespace oxi {
namespace {

// Device pixel ratios closer than this are the same.
constexpr qreal kSameRatio = 1e-6;

}  // namespace

HostWindow::HostWindow(WindowHandlers& handlers, const Surfaces& surfaces)
    : input_(handlers), surfaces_(surfaces) {
  // Every pixel comes from the surfaces: Qt need not clear or paint anything below them.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setWindowTitle(QString::fromUtf8(texts::kProductTitle));
  setWindowIcon(AppIcon());
  setFixedSize(kFaceWidth, kFaceHeight);
  move(host::kWindowX, host::kWindowY);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  BuildEditField();

  // Expose events arrive at the native window, not at the widget: watch them there so
  // that only an expose (not a blinking cursor or a presented surface) repaints the face.
  create();
  windowHandle()->installEventFilter(this);
  // A screen of another scale: the next paint draws at its ratio.
  connect(windowHandle(), &QWindow::screenChanged, this, &HostWindow::QueuePaint);
  // Enter and Esc must be seen before whichever child has the focus handles them.
  qApp->installEventFilter(this);
}

HostWindow::~HostWindow() {
  qApp->removeEventFilter(this);
}

// The edit field is Qt's own, placed and sized in logical pixels: Qt scales it, its font
// included.
void HostWindow::BuildEditField() {
  windowEdit_ = new QLineEdit(this);
  windowEdit_->setGeometry(ToQRect(host::kWindowEditRect));
  windowEdit_->setFont(ScreenFont(host::kScreenFontPixels));
  windowEdit_->setText(QString::fromUtf8(texts::kInitialWindowText));
  // The window starts with the keyboard in the field and its text selected, so that what
  // the user types first replaces it: as a dialog starts in its first control that takes
  // the focus.
  windowEdit_->selectAll();
  windowEdit_->setFocus();
}

void HostWindow::ShowStoreFolder(const std::filesystem::path& folder) {
  storeFolder_ = folder;
  setWindowTitle(QString::fromStdString(
      FormatText(texts::kWindowTitleFormat, texts::kProductTitle, PathToUtf8(folder).c_str())));
}

void HostWindow::Present(SurfaceId id) {
  repaint(ToQRect(host::RectOf(id)));
}

// The surfaces are copied in device pixels, each to where the grid puts it, so that no
// pixel is resampled: a control at a fractional logical-times-ratio position lands on the
// whole pixel its own drawing rounded to. Only a ratio between the scales the drawings
// know (a screen of 110 %) has them drawn at the nearest and resampled to fit.
void HostWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const qreal ratio = devicePixelRatioF();
  const Scale drawn = surfaces_[static_cast<int>(SurfaceId::kFace)]->Grid().scale;
  if (std::abs(drawn.Ratio() - ratio) > kSameRatio) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (SurfaceId id : host::kAllSurfaces) {
      QImage image = SurfaceImage(*surfaces_[static_cast<int>(id)]);
      image.setDevicePixelRatio(drawn.Ratio());
      painter.drawImage(ToQRect(host::RectOf(id)), image);
    }
    return;
  }
  painter.scale(1 / ratio, 1 / ratio);
  const QRect area =
      QRectF(QPointF(event->rect().topLeft()) * ratio, QSizeF(event->rect().size()) * ratio)
          .toAlignedRect();
  for (SurfaceId id : host::kAllSurfaces) {
    const Surface& surface = *surfaces_[static_cast<int>(id)];
    const ControlRect r = host::DeviceRect(host::RectOf(id), drawn);
    const QRect place = QRect(r.x, r.y, surface.Width(), surface.Height()) & area;
    if (place.isEmpty()) continue;
    painter.drawImage(place.topLeft(), SurfaceImage(surface), place.translated(-r.x, -r.y));
  }
}

// In the device pixels of the scale the surfaces are drawn at, which are the screen's
// own unless they had to be resampled.
bool HostWindow::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate:
      if (activatedByPress_) {
        activatedByPress_ = false;  // already told, before the press that caused it
      } else {
        input_.Activate(true);
      }
      break;
    case QEvent::WindowDeactivate:
      input_.Activate(false);
      break;
    default:
      break;
  }
  return QWidget::event(event);
}

bool HostWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle() && event->type() == QEvent::Expose) {
    if (windowHandle()->isExposed()) QueuePaint();
    return false;
  }
  if (event->type() == QEvent::KeyPress) return HandleKey(watched, event);
  return false;
}

bool HostWindow::HandleKey(QObject* receiver, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(receiver);
  return widget && widget->window() == this && DeliverKey(input_, *this, *event);
}

// The face is painted by the handlers, outside Qt's paint pass: presenting a surface
// from inside a paint event would be a recursive repaint. One repaint serves however many
// exposes arrived meanwhile.
void HostWindow::QueuePaint() {
  if (paintQueued_) return;
  paintQueued_ = true;
  QMetaObject::invokeMethod(this, &HostWindow::DeliverPaint, Qt::QueuedConnection);
}

void HostWindow::DeliverPaint() {
  paintQueued_ = false;
  // A new scale draws everything at it; otherwise the expose repaints as ever.
  const Scale shown = Scale::FromRatio(devicePixelRatioF());
  if (shown != input_.CurrentScale()) {
    input_.SetScale(shown);
  } else {
    input_.Paint();
  }
  // A zero-time timer fires once the events already queued are done, the paint's own
  // flush to the screen among them.
  if (input_.FirstPaintToAnnounce())
    QTimer::singleShot(0, this, [this] { input_.FirstPaintShown(); });
}

// A click into an inactive window activates it, and the activation's full repaint comes
// first: the press then draws its pressed look on the fresh face. The window system
// reports the activation only after the press, so it is delivered here ahead of it.
void HostWindow::ActivateForPress() {
  if (isActiveWindow() || activatedByPress_) return;
  activatedByPress_ = true;
  activateWindow();
  input_.Activate(true);
}

void HostWindow::mousePressEvent(QMouseEvent* event) {
  ActivateForPress();
  DeliverPointer(input_, *event);
}

void HostWindow::mouseReleaseEvent(QMouseEvent* event) {
  DeliverPointer(input_, *event);
}

void HostWindow::mouseMoveEvent(QMouseEvent* event) {
  DeliverPointer(input_, *event);
}

void HostWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  DeliverPointer(input_, *event);
}

void HostWindow::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  for (const WindowMenuItem& item : kWindowMenu) {
    if (item.command == WindowCommand::kNone) {
      menu.addSeparator();
    } else {
      QAction* action = menu.addAction(QString::fromUtf8(item.text));
      action->setData(static_cast<int>(item.command));
      action->setEnabled(input_.MenuItemEnabled(item));
    }
  }
  const QAction* chosen = menu.exec(event->globalPos());
  const auto command =
      chosen ? static_cast<WindowCommand>(chosen->data().toInt()) : WindowCommand::kNone;
  if (command == WindowCommand::kAbout) CAboutDialog(this, storeFolder_).exec();
  input_.MenuCommand(command);
}

void HostWindow::closeEvent(QCloseEvent* event) {
  if (input_.Cancel()) emit ended();
  event->accept();
}

}  // namespace oxi
