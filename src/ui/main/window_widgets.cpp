#include "ui/main/window_widgets.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <QWheelEvent>

#include "platform/fixed_pitch_font.h"

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

// The accessible face of the day stepper: a spin button whose value is 0 at rest, whose
// Increase (value +1, or the "increase" action) is one day later and Decrease one day earlier.
class DayStepperAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit DayStepperAccessible(DayStepper* stepper) : QAccessibleWidget(stepper, QAccessible::SpinBox) {}
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QVariant currentValue() const override { return Stepper()->value(); }
  void setCurrentValue(const QVariant& value) override { Stepper()->setValue(value.toInt()); }
  QVariant maximumValue() const override { return Stepper()->maximum(); }
  QVariant minimumValue() const override { return Stepper()->minimum(); }
  QVariant minimumStepSize() const override { return 1; }
  QStringList actionNames() const override { return {increaseAction(), decreaseAction()}; }
  void doAction(const QString& action) override {
    if (action == increaseAction()) Stepper()->setValue(1);
    if (action == decreaseAction()) Stepper()->setValue(-1);
  }

 private:
  DayStepper* Stepper() const { return static_cast<DayStepper*>(widget()); }
};

// The accessible face of a LabelledComboBox: a combo box named by its label, valued by its item.
class LabelledComboBoxAccessible : public QAccessibleWidget {
 public:
  explicit LabelledComboBoxAccessible(LabelledComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}
  QString text(QAccessible::Text t) const override {
    switch (t) {
      case QAccessible::Name:
        return Combo()->accessibleName().isEmpty() ? Combo()->currentText() : Combo()->accessibleName();
      case QAccessible::Value:
        return Combo()->currentText();
      default:
        return QAccessibleWidget::text(t);
    }
  }
  // The list the drop-down opens, as Qt's own drop-downs have it.
  int childCount() const override { return 1; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 ? QAccessible::queryAccessibleInterface(Combo()->view()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr && child->object() == Combo()->view() ? 0 : -1;
  }
  QStringList actionNames() const override {
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == showMenuAction() || action == pressAction()) {
      Combo()->showPopup();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

 private:
  LabelledComboBox* Combo() const { return static_cast<LabelledComboBox*>(widget()); }
};

QAccessibleInterface* WindowWidgetFactory(const QString&, QObject* object) {
  if (auto* label = qobject_cast<ClickableLabel*>(object)) return new ClickableLabelAccessible(label);
  if (auto* stepper = qobject_cast<DayStepper*>(object)) return new DayStepperAccessible(stepper);
  if (auto* combo = qobject_cast<LabelledComboBox*>(object)) return new LabelledComboBoxAccessible(combo);
  return nullptr;
}

void InstallAccessibleFaces() {
  static const bool installed = [] {
    QAccessible::installFactory(WindowWidgetFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace

ClickableLabel::ClickableLabel(QAccessible::Role role, QWidget* parent) : QLabel(parent), role_(role) {
  InstallAccessibleFaces();
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

OutputTextBox::OutputTextBox(QWidget* parent) : ReadOnlyTextView(parent) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFont(FixedPitchFont(kOutputFontPointSize));
}

void OutputTextBox::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && HasSelection()) {
    emit copyRequested();
    return;
  }
  if (event->matches(QKeySequence::Undo)) {
    emit undoRequested();
    return;
  }
  ReadOnlyTextView::keyPressEvent(event);
  // A selection made with the keyboard changes the copy button as one made with the mouse.
  emit mouseReleased(Qt::NoButton);
}

void OutputTextBox::mouseReleaseEvent(QMouseEvent* event) {
  ReadOnlyTextView::mouseReleaseEvent(event);
  emit mouseReleased(event->button());
}

LabelledComboBox::LabelledComboBox(QWidget* parent) : QComboBox(parent) { InstallAccessibleFaces(); }

DayStepper::DayStepper(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
  InstallAccessibleFaces();
  setRange(-1, 1);
  setValue(0);
  // +1 at the top: a value of +1, like the upper arrow, is one day later.
  setInvertedAppearance(true);
  connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) { ActionTriggered(action); });
  connect(this, &QAbstractSlider::sliderPressed, this, [this] { drag_direction_ = 0; });
  connect(this, &QAbstractSlider::valueChanged, this, [this](int value) {
    if (value == 0) return;
    setValue(0);  // back to rest first, so that the next Increase moves again
    emit stepped(value > 0 ? 1 : -1);
  });
}

// An arrow, a click beside the handle or a drag: the step is reported here and the position
// kept at rest, so that the value never leaves 0 and valueChanged is not emitted.
void DayStepper::ActionTriggered(int action) {
  int days = 0;
  switch (action) {
    case SliderSingleStepSub:  // the upper arrow
    case SliderPageStepSub:
    case SliderToMinimum:
      days = 1;
      break;
    case SliderSingleStepAdd:  // the lower arrow
    case SliderPageStepAdd:
    case SliderToMaximum:
      days = -1;
      break;
    case SliderMove: {  // the handle dragged; drawn upside down, so +1 is up
      const int direction = sliderPosition() > 0 ? 1 : sliderPosition() < 0 ? -1 : 0;
      if (direction != 0 && direction != drag_direction_) days = direction;
      if (direction != 0) drag_direction_ = direction;
      break;
    }
    default:
      break;
  }
  setSliderPosition(0);
  if (days != 0) emit stepped(days);
}

void DayStepper::Rest() {
  setRepeatAction(SliderNoAction);
  if (isSliderDown()) setSliderDown(false);
  // The scroll bar's own release handling forgets the pressed arrow and draws it at rest.
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(), QPointF(), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QScrollBar::mouseReleaseEvent(&release);
}

void DayStepper::wheelEvent(QWheelEvent* event) {
  // One day per notch (120 eighths of a degree), however finely the wheel reports.
  wheel_angle_ += event->angleDelta().y();
  while (wheel_angle_ >= 120) {
    wheel_angle_ -= 120;
    emit stepped(1);
  }
  while (wheel_angle_ <= -120) {
    wheel_angle_ += 120;
    emit stepped(-1);
  }
  event->accept();
}

}  // namespace qv
