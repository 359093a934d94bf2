#include "qt/toolkit_input.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <cmath>

namespace oxi {

KeyPress ReadKey(const QKeyEvent& key) {
  KeyPress press;
  press.controlOnly = key.modifiers() == Qt::ControlModifier;
  press.repeat = key.isAutoRepeat();
  if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
    press.kind = KeyPress::Kind::kEnter;
  } else if (key.key() == Qt::Key_Escape) {
    press.kind = KeyPress::Kind::kEscape;
  } else if (key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z) {
    // Qt's letter keys are numbered by their upper-case character.
    press.kind = KeyPress::Kind::kLetter;
    press.letter = static_cast<char>(key.key());
  }
  return press;
}

void DeliverPointer(PointerInput& input, const QMouseEvent& event) {
  // Qt's positions are in its device-independent pixels; the rules take the pixels the
  // window is drawn in.
  const QPointF at = event.position() * input.CurrentScale().Ratio();
  const QPoint p(static_cast<int>(std::lround(at.x())), static_cast<int>(std::lround(at.y())));
  const bool left = event.button() == Qt::LeftButton;
  switch (event.type()) {
    case QEvent::MouseMove:
      input.PointerMove(p.x(), p.y());
      break;
    case QEvent::MouseButtonPress:
      if (left) input.LeftDown(p.x(), p.y());
      break;
    case QEvent::MouseButtonDblClick:
      if (left) input.LeftDoubleClick(p.x(), p.y());
      break;
    case QEvent::MouseButtonRelease:
      if (left) input.LeftUp(p.x(), p.y());
      break;
    default:
      break;
  }
}

QRect ToQRect(const ControlRect& r) {
  return QRect(r.x, r.y, r.width, r.height);
}

QRect ToQRect(const ToolRect& r) {
  return QRect(r.x, r.y, r.width, r.height);
}

namespace {

// A box without an icon, its buttons without the style's icons either, as the window
// system's boxes look; the first button is the default.
QMessageBox::StandardButton RunBox(QWidget* owner, const std::string& text,
                                   const std::string& caption, QMessageBox::StandardButtons buttons,
                                   QMessageBox::StandardButton first) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                  QString::fromStdString(text), buttons, owner);
  box.setDefaultButton(first);
  for (QAbstractButton* button : box.buttons()) button->setIcon(QIcon());
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void RunMessageBox(QWidget* owner, const std::string& text, const std::string& caption) {
  RunBox(owner, text, caption, QMessageBox::Ok, QMessageBox::Ok);
}

bool RunYesNoBox(QWidget* owner, const std::string& text, const std::string& caption) {
  return RunBox(owner, text, caption, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
         QMessageBox::Yes;
}

}  // namespace oxi
