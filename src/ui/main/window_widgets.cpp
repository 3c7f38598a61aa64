#include "ui/main/window_widgets.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTextCursor>
#include <algorithm>

#include "ui/main/output_font.h"

namespace qv {

namespace {

// The accessible face of a ClickableLabel: its role, its caption as name, and "press".
class ClickableLabelAccessible : public QAccessibleWidget {
 public:
  explicit ClickableLabelAccessible(ClickableLabel* label) : QAccessibleWidget(label, label->AccessibleRole()) {}
  QString text(QAccessible::Text t) const override {
    const auto* label = static_cast<const ClickableLabel*>(widget());
    if (t == QAccessible::Name) return label->accessibleName().isEmpty() ? label->text() : label->accessibleName();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (action == pressAction()) static_cast<ClickableLabel*>(widget())->Activate(Qt::LeftButton);
  }
};

QAccessibleInterface* ClickableLabelFactory(const QString&, QObject* object) {
  if (auto* label = qobject_cast<ClickableLabel*>(object)) return new ClickableLabelAccessible(label);
  return nullptr;
}

}  // namespace

ClickableLabel::ClickableLabel(QAccessible::Role role, QWidget* parent) : QLabel(parent), role_(role) {
  static const bool factory_installed = [] {
    QAccessible::installFactory(ClickableLabelFactory);
    return true;
  }();
  (void)factory_installed;
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
  setMargin(2);  // room for the focus mark around the text
}

// A dotted frame in the text's colour around the text, shown when the style shows focus marks
// (once the keyboard has moved the focus, as buttons do).
void ClickableLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus() || text().isEmpty() || !window()->testAttribute(Qt::WA_KeyboardFocusChange)) return;
  QPainter painter(this);
  const QRect text_area = style()->itemTextRect(fontMetrics(), contentsRect(), static_cast<int>(alignment()),
                                                isEnabled(), text());
  painter.setPen(QPen(palette().color(foregroundRole()), 1, Qt::DotLine));
  painter.drawRect(text_area.marginsAdded(QMargins(2, 1, 1, 0)).intersected(rect().adjusted(0, 0, -1, -1)));
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

QValidator::State SingleLineValidator::validate(QString& input, int& position) const {
  const auto line_break = [](const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
  };
  if (!line_break(input)) return Acceptable;
  const QString trimmed = input.trimmed();
  if (line_break(trimmed)) return Invalid;
  qsizetype leading = 0;
  while (leading < input.size() && input.at(leading).isSpace()) ++leading;
  position = static_cast<int>(std::clamp<qsizetype>(position - leading, 0, trimmed.size()));
  input = trimmed;
  return Acceptable;
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
