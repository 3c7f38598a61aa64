#include "ui/main/window_widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextCursor>

#include "ui/main/output_font.h"

namespace qv {

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (rect().contains(event->position().toPoint())) emit released(event->button());
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
    emit released((event->modifiers() & Qt::ShiftModifier) ? Qt::RightButton : Qt::LeftButton);
    return;
  }
  QLabel::keyPressEvent(event);
}

OutputTextBox::OutputTextBox(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  // Read-only still lets the user select with mouse and keyboard and copy.
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFont(OutputFont());
  setTabChangesFocus(true);
}

bool OutputTextBox::HasSelection() const { return textCursor().hasSelection(); }

void OutputTextBox::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && HasSelection()) {
    emit copyRequested();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
  // A selection made with the keyboard changes the copy button as one made with the mouse.
  emit mouseReleased(Qt::NoButton);
}

void OutputTextBox::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  emit mouseReleased(event->button());
}

}  // namespace qv
