#include "qt/host_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWindow>

#include "app/host_layout.h"
#include "app/window_commands.h"
#include "platform/fs/files.h"
#include "platform/text/text_format.h"
#include "qt/about_dialog.h"
#include "qt/app_icon.h"
#include "qt/screen_font.h"
#include "qt/toolkit_input.h"
#include "res/texts.h"

namespace oxi {
namespace {

int ControlIndex(SurfaceId id) {
  return static_cast<int>(id) - 1;
}

}  // namespace

HostWindow::HostWindow(WindowHandlers& handlers, const Surfaces& surfaces)
    : SurfaceWidget(*surfaces[static_cast<int>(SurfaceId::kFace)], nullptr), input_(handlers) {
  setWindowTitle(QString::fromUtf8(texts::kProductTitle));
  setWindowIcon(AppIcon());
  setFixedSize(kFaceWidth, kFaceHeight);
  move(host::kWindowX, host::kWindowY);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  BuildChildren(surfaces);

  // Expose events arrive at the native window, not at the widget: watch them there so
  // that only an expose (not a blinking cursor or a presented surface) repaints the face.
  create();
  windowHandle()->installEventFilter(this);
  // Enter and Esc must be seen before whichever child has the focus handles them.
  qApp->installEventFilter(this);
}

HostWindow::~HostWindow() {
  qApp->removeEventFilter(this);
}

void HostWindow::BuildChildren(const Surfaces& surfaces) {
  for (SurfaceId id : host::kAllSurfaces) {
    if (id == SurfaceId::kFace) continue;
    auto* view = new SurfaceWidget(*surfaces[static_cast<int>(id)], this);
    view->setGeometry(ToQRect(host::RectOf(id)));
    // The controls only show pictures: every pointer message belongs to the main window
    // in its own client coordinates.
    view->setAttribute(Qt::WA_TransparentForMouseEvents);
    controls_[ControlIndex(id)] = view;
  }
  windowEdit_ = new QLineEdit(this);
  windowEdit_->setGeometry(ToQRect(host::kWindowEditRect));
  windowEdit_->setFont(ScreenFont(host::kScreenFontPixels));
  windowEdit_->setText(QString::fromUtf8(texts::kInitialWindowText));
  windowEdit_->setFocus();
}

QWidget& HostWindow::View(SurfaceId id) {
  if (id == SurfaceId::kFace) return *this;
  return *controls_[ControlIndex(id)];
}

void HostWindow::ShowStoreFolder(const std::filesystem::path& folder) {
  storeFolder_ = folder;
  setWindowTitle(QString::fromStdString(
      FormatText(texts::kWindowTitleFormat, texts::kProductTitle, PathToUtf8(folder).c_str())));
}

void HostWindow::Present(SurfaceId id) {
  View(id).repaint();
}

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
  return SurfaceWidget::event(event);
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
  input_.Paint();
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
