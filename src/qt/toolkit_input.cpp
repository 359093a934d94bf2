#include "qt/toolkit_input.h"

#include <QAbstractButton>
#include <QMessageBox>

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

QPoint ClientPoint(const QMouseEvent* event) {
  return event->position().toPoint();
}

QRect ToQRect(const ControlRect& r) {
  return QRect(r.x, r.y, r.width, r.height);
}

QRect ToQRect(const ToolRect& r) {
  return QRect(r.x, r.y, r.width, r.height);
}

void RunMessageBox(QWidget* owner, const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                  QString::fromStdString(text), QMessageBox::Ok, owner);
  box.button(QMessageBox::Ok)->setIcon(QIcon());
  box.exec();
}

}  // namespace oxi
