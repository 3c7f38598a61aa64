#pragma once
// Small widgets of the main window: a label that reports mouse releases (the today panel, the
// link labels), the read-only output text box that copies its selection on Enter (also the
// enlarged display's), the day stepper beside each date box, and a drop-down named by its label.
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QValidator>
#include <QScrollBar>

#include "ui/main/read_only_text_view.h"

namespace qv {

// The size of the output window's fixed-pitch font, and of the enlarged display's copy of it.
inline constexpr int kOutputFontPointSize = 9;

// A label that acts on a click: it reports which mouse button was released over it, and it
// can take the keyboard focus, where Space or Enter count as a left click and Shift with
// either as a right click. With the focus it shows the style's focus mark around its text, as
// buttons do.
//
// Screen readers see it as what it does: a link (the documentation) or a button (the today
// panel), with a press action that acts as a left click.
class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ClickableLabel(QAccessible::Role role, QWidget* parent = nullptr);
  QAccessible::Role AccessibleRole() const { return role_; }
  // What a click with `button` does, for the keyboard and assistive technology.
  void Activate(Qt::MouseButton button) { emit released(button); }

 signals:
  void released(Qt::MouseButton button);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QAccessible::Role role_;
};

// A drop-down that a screen reader names by its label, not by its current item: Qt names a
// drop-down on Linux by the item shown, so "Other calendar (First date)" was heard only as
// "Hebrew". Its accessible name is the widget's accessibleName(), its value the item shown, its
// description the widget's accessibleDescription(); the list it opens is its child, and its
// actions open that list.
class LabelledComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit LabelledComboBox(QWidget* parent = nullptr);
};

// For the three input boxes: text that arrives with line breaks around it (a date pasted from
// the context menu or with the middle mouse button, or dropped, after it was copied from a
// terminal or a web page) loses them and the blanks beside them; text of several lines is
// refused. Typed text never holds a line break and passes unchanged.
class SingleLineValidator : public QValidator {
  Q_OBJECT
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override;
};

// The output window, and the enlarged display's copy of it: read-only, fixed pitch, selectable,
// not wrapped (the enlarged display wraps). Enter with a selection asks for the copy; a mouse
// release (and any key, which may have changed the selection) tells the window to refresh its
// copy button.
class OutputTextBox : public ReadOnlyTextView {
  Q_OBJECT
 public:
  explicit OutputTextBox(QWidget* parent = nullptr);

 signals:
  void copyRequested();
  void mouseReleased(Qt::MouseButton button);
  // The desktop's Undo key (Ctrl+Z): the main window brings back what Clear removed.
  void undoRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// The day stepper (the spin control beside a date box): a short vertical scroll bar whose every
// way of use means the same: up is one day later, down one day earlier. Its upper arrow, a
// drag of its handle upwards, the wheel turned away from the user, a value of +1 set by
// program or by assistive technology (whose Increase is value +1) and the accessible
// "increase" action all report stepped(+1). The value is 0 at rest and is put back at once.
class DayStepper : public QScrollBar {
  Q_OBJECT
 public:
  explicit DayStepper(QWidget* parent = nullptr);
  // Stops a running auto-repeat and shows the arrows at rest, as a release of the mouse
  // button would: after a step that failed, holding the arrow must not step again.
  void Rest();

 signals:
  void stepped(int days);

 protected:
  void wheelEvent(QWheelEvent* event) override;

 private:
  void ActionTriggered(int action);
  int wheel_angle_ = 0;     // eighths of a degree turned since the last whole notch
  int drag_direction_ = 0;  // the step a drag of the handle made already: one per direction
};

}  // namespace qv
