#include "qt/tool_window.h"

#include <QCloseEvent>
#include <QMouseEvent>

#include "app/host_layout.h"
#include "qt/screen_font.h"
#include "qt/toolkit_input.h"

namespace oxi {

ToolWidget::ToolWidget(const ToolWindowForm& form, const Surface& surface,
                       ToolWindowHandlers& handlers, QWidget* owner)
    : SurfaceWidget(surface, owner), input_(handlers) {
  // A window of its own that stays with its owner: above it, gone with it.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromStdString(form.title));
  setFixedSize(form.width, form.height);
  move(form.x, form.y);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  for (const ToolRect& r : form.edits) {
    auto* edit = new QLineEdit(this);
    edit->setGeometry(ToQRect(r));
    edit->setFont(ScreenFont(host::kScreenFontPixels));
    edit->installEventFilter(this);
    edits_.push_back(edit);
  }
  if (!edits_.empty()) edits_.front()->setFocus();
  installEventFilter(this);
}

// Enter and Esc are the window's whichever field has the focus.
bool ToolWidget::eventFilter(QObject*, QEvent* event) {
  return event->type() == QEvent::KeyPress && DeliverKey(input_, *this, *event);
}

bool ToolWidget::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
      DeliverPointer(input_, *static_cast<QMouseEvent*>(event));
      return true;
    default:
      return SurfaceWidget::event(event);
  }
}

void ToolWidget::paintEvent(QPaintEvent* event) {
  if (!scaleQueued_ && Scale::FromRatio(devicePixelRatioF()) != input_.CurrentScale()) {
    scaleQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          scaleQueued_ = false;
          input_.SetScale(Scale::FromRatio(devicePixelRatioF()));
        },
        Qt::QueuedConnection);
  }
  SurfaceWidget::paintEvent(event);
}

void ToolWidget::closeEvent(QCloseEvent* event) {
  input_.Close();
  event->accept();
}

QtToolWindow::QtToolWindow(const ToolWindowForm& form, const Surface& surface,
                           ToolWindowHandlers& handlers, QWidget* owner)
    : widget_(new ToolWidget(form, surface, handlers, owner)) {}

QtToolWindow::~QtToolWindow() {
  delete widget_.data();
}

void QtToolWindow::Show() {
  if (!widget_) return;
  widget_->show();
  widget_->raise();
  widget_->activateWindow();
}

void QtToolWindow::Hide() {
  if (widget_) widget_->hide();
}

void QtToolWindow::SetTitle(const std::string& text) {
  if (widget_) widget_->setWindowTitle(QString::fromStdString(text));
}

void QtToolWindow::Present() {
  if (widget_) widget_->repaint();
}

std::string QtToolWindow::EditText(int field) {
  return widget_ ? widget_->Edit(field).text().toStdString() : std::string();
}

void QtToolWindow::SetEditText(int field, const std::string& text) {
  if (widget_) widget_->Edit(field).setText(QString::fromStdString(text));
}

void QtToolWindow::ShowMessageBox(const std::string& text, const std::string& caption) {
  RunMessageBox(widget_.data(), text, caption);
}

}  // namespace oxi
