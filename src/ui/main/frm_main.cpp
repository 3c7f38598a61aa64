// The main window's controls, their layout and their wiring. The behaviour behind each control
// lives in frm_main_flow.cpp (compute flow and box operations), frm_main_options.cpp (options,
// settings, language), frm_main_windows.cpp (the month and help windows) and
// frm_main_work_days.cpp (the working days).
#include "ui/main/frm_main.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "lang/captions.h"
#include "platform/named_widget.h"
#include "platform/qt_text.h"
#include "platform/screen_fit.h"
#include "text/date_readers.h"
#include "ui/main/frm_clear_one_text_box.h"
#include "ui/main/frm_large_display.h"
#include "ui/main/window_widgets.h"

namespace qv {
namespace {

// The calendars of the two "This is a" groups, in the order their options are shown.
constexpr std::array<CalendarCode, 7> kBoxCalendars{cal::CE, cal::JC, cal::ISO, cal::JDN,
                                                    cal::ORD, cal::LPM, cal::LPW};
constexpr std::array<const char*, 7> kFirstOptionNames{"optFirstDateIsCE",  "optFirstDateIsJC",  "optFirstDateIsISO",
                                                       "optFirstDateIsJDN", "optFirstDateIsORD", "optFirstDateIsLPM",
                                                       "optFirstDateIsLPW"};
constexpr std::array<const char*, 7> kSecondOptionNames{
    "optSecondDateIsCE",  "optSecondDateIsJC",  "optSecondDateIsISO", "optSecondDateIsJDN",
    "optSecondDateIsORD", "optSecondDateIsLPM", "optSecondDateIsLPW"};

// Pixels above and below the three options of a date-format or separator group.
constexpr int kOptionFrameMargin = 3;

QPushButton* Button(const char* name) { return Named(new QPushButton, name); }
QRadioButton* Option(const char* name) { return Named(new QRadioButton, name); }
QCheckBox* CheckBox(const char* name) { return Named(new QCheckBox, name); }

}  // namespace

frmMain::frmMain(const ProgramTextStore& texts, MessageService& messages, QWidget* parent)
    : QWidget(parent), texts_(texts), messages_(messages), posted_messages_(messages), engine_(texts) {
  setObjectName(QStringLiteral("frmMain"));
  CreateControls();
  WireSignals();
  CreateShortcuts();
  HoldLayoutStill();
}

frmMain::~frmMain() = default;

void frmMain::CreateControls() {
  // Left: today panel, the input boxes and the output window; right: the options.
  auto* left = new QVBoxLayout;
  left->addWidget(CreateTodayPanel());
  left->addWidget(CreateInputFrame());
  left->addWidget(CreateOutputArea(), 1);

  auto* content = Named(new QWidget, "MainContent");
  auto* main = new QHBoxLayout(content);
  main->addLayout(left, 1);
  main->addWidget(CreateOptionsColumn());

  // On a screen smaller than the window's full size the controls keep their size and the
  // window scrolls; the control that takes the focus is always scrolled into view.
  scroll_area_ = Named(new QScrollArea, "MainScrollArea");
  scroll_area_->setFrameShape(QFrame::NoFrame);
  scroll_area_->setWidgetResizable(true);
  scroll_area_->setFocusPolicy(Qt::NoFocus);  // the controls take the focus, not the area around them
  scroll_area_->setWidget(content);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  outer->addWidget(scroll_area_, 1);
  action_bar_ = Named(new QWidget, "ActionBar");
  action_bar_layout_ = new QHBoxLayout(action_bar_);
  action_bar_separator_ = Named(new QFrame(action_bar_), "ActionBarSeparator");
  action_bar_separator_->setFrameShape(QFrame::VLine);
  action_bar_separator_->setFrameShadow(QFrame::Sunken);
  action_bar_->hide();
  outer->addWidget(action_bar_);

  SetTabOrder();
  Clock = Named(new QTimer(this), "Clock");
  SetColors();
}

QSize frmMain::FullSize() {
  if (!full_size_.isValid()) {
    Arrange(Arrangement::Full);
    QWidget* content = scroll_area_->widget();
    // Before the window is first shown the layouts only know of changes made to their own
    // controls, not to the controls inside those: every size is asked afresh.
    RefreshSizeHints(content);
    full_size_ = content->sizeHint().expandedTo(content->minimumSizeHint());
  }
  return full_size_;
}

// Narrower than its full size, the window puts each date's calendar options under the date's
// row instead of beside it, which takes about a third of the width off; so on a small screen it
// mostly scrolls up and down, not sideways.
void frmMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!full_size_.isValid()) return;
  // At full width the window only falls back to the narrow arrangement when a vertical scroll
  // bar would take part of that width.
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_area_);
  const bool shorter = event->size().height() < full_size_.height();
  const int needed = full_size_.width() + (shorter ? bar : 0);
  Arrange(event->size().width() < needed ? Arrangement::Narrow : Arrangement::Full);
  DockActionRow(shorter);
}

void frmMain::DockActionRow(bool docked) {
  if (docked == action_row_docked_) return;
  action_row_docked_ = docked;
  QWidget* focused = QApplication::focusWidget();
  if (docked) {
    // The output's buttons keep apart from Compute, as they do under the output window at full
    // size: a click that misses Compute must not land on Clear. They stand as a group of their
    // own behind a line, in the middle of the room the bar has beyond its buttons.
    const int gap = fontMetrics().averageCharWidth();
    action_bar_layout_->addWidget(cmdCompute);
    action_bar_layout_->addSpacing(gap);
    action_bar_layout_->addStretch(1);
    action_bar_layout_->addWidget(action_bar_separator_);
    action_bar_layout_->addSpacing(gap);
    for (QWidget* button : {cmdClearOutputWindow, cmdCopyOutput, cmdEnlarge}) action_bar_layout_->addWidget(button);
    action_bar_layout_->addStretch(1);
    action_bar_layout_->addSpacing(gap);
    action_bar_layout_->addWidget(cmdQuit);
  } else {
    input_actions_->insertWidget(0, cmdCompute);
    int at = 0;
    for (QWidget* button : {cmdClearOutputWindow, cmdCopyOutput, cmdEnlarge}) output_actions_->insertWidget(at++, button);
    options_column_->addWidget(cmdQuit);
    // What is left in the bar is its spacing and stretch.
    while (QLayoutItem* item = action_bar_layout_->takeAt(0)) delete item;
  }
  action_bar_->setVisible(docked);
  SetTabOrder();  // the moved buttons keep their places in the Tab order
  if (focused != nullptr && focused->isVisibleTo(this)) focused->setFocus();
}

void frmMain::Arrange(Arrangement arrangement) {
  if (arrangement == arrangement_) return;
  arrangement_ = arrangement;
  PlaceCalendarGroups();
  // The output window grows with the window; on a small screen it starts two lines shorter.
  SetOutputLines(arrangement == Arrangement::Full ? 8 : 6);
}

void frmMain::SetOutputLines(int lines) { txbOutput->setMinimumHeight(txbOutput->fontMetrics().lineSpacing() * lines); }

void frmMain::FitIntoScreen(const QRect& available) {
  const QMargins frame = FrameMargins(this);
  QRect outer(QPoint(0, 0), FullSize().grownBy(frame));
  outer.moveCenter(available.center());
  const QRect fitted = FitInside(outer, available);
  resize(fitted.marginsRemoved(frame).size());
  move(fitted.topLeft());
}

void frmMain::ShowInsideScreen() {
  FitIntoScreen(AvailableGeometry(this));
  show();
  // The window system tells the real size of its frame only once the window is shown.
  QTimer::singleShot(0, this, [this] { KeepInside(this, AvailableGeometry(this)); });
}

// The whole control comes into view, not only its caret as the scroll area itself would do for a
// text box; one larger than the view shows its top left corner.
void frmMain::ScrollIntoView(QWidget* control) {
  const QRect wanted = QRect(control->mapTo(scroll_area_->widget(), QPoint(0, 0)), control->size()).adjusted(-4, -4, 4, 4);
  const QSize view = scroll_area_->viewport()->size();
  const auto show = [](QScrollBar* bar, int low, int high, int length) {
    if (high > bar->value() + length) bar->setValue(high - length);
    if (low < bar->value()) bar->setValue(low);
  };
  show(scroll_area_->horizontalScrollBar(), wanted.left(), wanted.right() + 1, view.width());
  show(scroll_area_->verticalScrollBar(), wanted.top(), wanted.bottom() + 1, view.height());
}

// Keys a Linux user reaches for: the desktop's Quit key ends the program as Quit does, and the
// Help key opens the help window, from any of the program's windows.
void frmMain::CreateShortcuts() {
  auto* quit = new QShortcut(this);
  quit->setObjectName(QStringLiteral("QuitKey"));
  QList<QKeySequence> quit_keys = QKeySequence::keyBindings(QKeySequence::Quit);
  // A desktop whose key scheme names no Quit key (Windows' scheme) still gets Ctrl+Q.
  if (quit_keys.isEmpty()) quit_keys.append(QKeySequence(Qt::CTRL | Qt::Key_Q));
  quit->setKeys(quit_keys);
  quit->setContext(Qt::ApplicationShortcut);
  connect(quit, &QShortcut::activated, this, [this] { cmdQuit_Click(); });
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  help->setObjectName(QStringLiteral("HelpKey"));
  help->setContext(Qt::ApplicationShortcut);
  connect(help, &QShortcut::activated, this, [this] { cmdHelp_Click(); });
  // Whatever puts the focus on a control (a key, a click, the focus rule) scrolls it into view.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now != nullptr && scroll_area_->widget()->isAncestorOf(now)) ScrollIntoView(now);
  });
}

// Every control is as wide as its caption in the wider of the two languages, the copy button as
// its longer caption, and the day-count options keep their room while "months" hides them: so a
// language switch, a selection in the output window or the unit choice moves no other control.
//
// A control's width depends on its caption alone, so each caption a control can show is measured
// once. The captions in force are measured last: a control that keeps its caption keeps the
// size it measured, and the first layout asks for no caption's size again.
void frmMain::HoldLayoutStill() {
  std::map<QWidget*, int> widest;
  std::set<std::pair<QWidget*, QString>> measured;
  const auto measure = [&widest, &measured](QWidget* widget) {
    QString caption;
    if (const auto* button = qobject_cast<QAbstractButton*>(widget)) {
      caption = button->text();
    } else if (const auto* label = qobject_cast<QLabel*>(widget)) {
      caption = label->text();
    } else if (const auto* list = qobject_cast<QComboBox*>(widget)) {
      for (int i = 0; i < list->count(); ++i) caption += list->itemText(i) + QLatin1Char('\n');
    }
    if (measured.insert({widget, caption}).second) {
      int& width = widest[widget];
      width = std::max(width, widget->sizeHint().width());
    }
  };
  const Language language = options_.language;
  QList<QWidget*> captioned;
  for (QWidget* widget : findChildren<QWidget*>()) {
    if (qobject_cast<ClickableLabel*>(widget) != nullptr) continue;  // the today panel and links: below
    // Frames are left to follow what they hold: their titles are shorter than their options.
    if (qobject_cast<QAbstractButton*>(widget) != nullptr || qobject_cast<QLabel*>(widget) != nullptr ||
        qobject_cast<QComboBox*>(widget) != nullptr) {
      captioned.append(widget);
    }
  }
  const bool hyphen = chkHyphen->isChecked();
  const Language other = language == Language::English ? Language::German : Language::English;
  for (const Language each : {other, language}) {
    options_.language = each;
    // The today panel's phrases: every weekday; its links' captions.
    for (int day = 0; day < 7; ++day) {
      lblTodaysDate[0]->setText(ToQString(TodayPhrase(each, day)));
      measure(lblTodaysDate[0]);
    }
    lblWeekFromToday[0]->setText(Text(GeneralText::AWeekFromTodayIs));
    measure(lblWeekFromToday[0]);
    cmdCopyOutput->setText(Text(GeneralText::CopySelectedTextToClipboard));
    measure(cmdCopyOutput);
    FillLanguageList();
    // The ordinal option's caption follows the hyphen option.
    for (const bool with_hyphen : {!hyphen, hyphen}) {
      const QSignalBlocker quiet(chkHyphen);
      chkHyphen->setChecked(with_hyphen);
      ApplyLanguageTexts();
      for (QWidget* widget : captioned) measure(widget);
    }
    measure(lblOnlineDocumentation);
  }
  lblTodaysDate[0]->clear();
  lblWeekFromToday[0]->clear();
  for (const auto& [widget, width] : widest) widget->setMinimumWidth(width);
  // "Save output" is hidden only while start-up restores the settings; its room is kept too.
  for (QCheckBox* hidden_at_times : {chkIncludeFirstDate, chkIncludeWeekends, chkSaveOutput}) {
    QSizePolicy policy = hidden_at_times->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    hidden_at_times->setSizePolicy(policy);
  }
}

QWidget* frmMain::CreateTodayPanel() {
  auto* panel = Named(new QWidget, "TodayPanel");
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  const char* names[2][2] = {{"lblTodaysDate0", "lblTodaysDate1"}, {"lblWeekFromToday0", "lblWeekFromToday1"}};
  for (int i = 0; i < 2; ++i) {
    lblTodaysDate[static_cast<std::size_t>(i)] = Named(new ClickableLabel(QAccessible::Button), names[0][i]);
    lblWeekFromToday[static_cast<std::size_t>(i)] = Named(new ClickableLabel(QAccessible::Button), names[1][i]);
  }
  // The phrases answer a click too, but only the dates take the keyboard focus.
  lblTodaysDate[0]->setFocusPolicy(Qt::NoFocus);
  lblWeekFromToday[0]->setFocusPolicy(Qt::NoFocus);
  QFont bold = font();
  bold.setBold(true);
  lblTodaysDate[1]->setFont(bold);
  lblWeekFromToday[1]->setFont(bold);
  grid->addWidget(lblTodaysDate[0], 0, 0);
  grid->addWidget(lblTodaysDate[1], 0, 1);
  grid->addWidget(lblWeekFromToday[0], 1, 0);
  grid->addWidget(lblWeekFromToday[1], 1, 1);
  grid->setColumnStretch(2, 1);
  return panel;
}

QWidget* frmMain::CreateInputFrame() {
  Frame3 = Named(new QWidget, "Frame3");
  auto* grid = new QGridLayout(Frame3);
  grid->setContentsMargins(0, 0, 0, 0);

  txbFirstDate = Named(new QLineEdit, "txbFirstDate");
  txbDateDiff = Named(new QLineEdit, "txbDateDiff");
  txbSecondDate = Named(new QLineEdit, "txbSecondDate");
  lblFirstDate = NamedLabelFor("lblFirstDate", txbFirstDate);
  lblDateDifference = NamedLabelFor("lblDateDifference", txbDateDiff);
  lblSecondDate = NamedLabelFor("lblSecondDate", txbSecondDate);
  cmdClearFirstDate = Button("cmdClearFirstDate");
  cmdClearDateDiff = Button("cmdClearDateDiff");
  cmdClearSecondDate = Button("cmdClearSecondDate");
  cmdToday[0] = Button("cmdToday0");
  cmdToday[1] = Button("cmdToday1");
  for (std::size_t i = 0; i < 2; ++i) {
    DayStepper* stepper = Named(new DayStepper, i == 0 ? "VScroll0" : "VScroll1");
    stepper->setFocusPolicy(Qt::NoFocus);  // the Up and Down keys in the box do the same
    stepper->setFixedWidth(stepper->sizeHint().width());
    VScroll[i] = stepper;
  }
  optDays = Option("optDays");
  optMonths = Option("optMonths");
  auto* unit_group = new QButtonGroup(this);
  unit_group->addButton(optDays);
  unit_group->addButton(optMonths);
  auto* units = new QHBoxLayout;
  units->addWidget(optDays);
  units->addWidget(optMonths);
  units->addStretch(1);

  QLineEdit* boxes[3] = {txbFirstDate, txbDateDiff, txbSecondDate};
  QLabel* labels[3] = {lblFirstDate, lblDateDifference, lblSecondDate};
  QPushButton* clears[3] = {cmdClearFirstDate, cmdClearDateDiff, cmdClearSecondDate};
  for (int row = 0; row < 3; ++row) {
    boxes[row]->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * static_cast<int>(MaxInputLength + 4));
    boxes[row]->installEventFilter(this);
    boxes[row]->setValidator(new SingleLineValidator(boxes[row]));
  }
  // Rows: label, box, stepper, Clear, Today; the difference row has the unit choice instead.
  // Each date's "This is a" group stands to the right of its row.
  grid->addWidget(lblFirstDate, 0, 0);
  grid->addWidget(txbFirstDate, 0, 1);
  grid->addWidget(VScroll[0], 0, 2);
  grid->addWidget(clears[0], 0, 3);
  grid->addWidget(cmdToday[0], 0, 4);
  grid->addWidget(labels[1], 2, 0);
  grid->addWidget(boxes[1], 2, 1);
  grid->addWidget(clears[1], 2, 3);
  grid->addLayout(units, 2, 4, 1, 2);
  grid->addWidget(lblSecondDate, 4, 0);
  grid->addWidget(txbSecondDate, 4, 1);
  grid->addWidget(VScroll[1], 4, 2);
  grid->addWidget(clears[2], 4, 3);
  grid->addWidget(cmdToday[1], 4, 4);
  CreateCalendarGroup(DateBox::First, first_calendar_group_, first_calendar_options_);
  CreateCalendarGroup(DateBox::Second, second_calendar_group_, second_calendar_options_);

  cmdCompute = Button("cmdCompute");
  QFont bold = cmdCompute->font();
  bold.setBold(true);
  cmdCompute->setFont(bold);
  cmdMoveSecondDateToFirst = Button("cmdMoveSecondDateToFirst");
  input_actions_ = new QHBoxLayout;
  input_actions_->addWidget(cmdCompute);
  input_actions_->addWidget(cmdMoveSecondDateToFirst);
  input_actions_->addStretch(1);
  for (DayStepper* stepper : VScroll) stepper->setFixedHeight(txbFirstDate->sizeHint().height());
  grid->setColumnStretch(1, 1);
  input_grid_ = grid;
  PlaceCalendarGroups();
  return Frame3;
}

// At full size each "This is a" group stands to the right of its date's row; in the narrow
// arrangement it lies under the row, and Compute comes after the second date's group.
void frmMain::PlaceCalendarGroups() {
  QGroupBox* first = lblThisIsA[0];
  QGroupBox* second = lblThisIsA[1];
  input_grid_->removeWidget(first);
  input_grid_->removeWidget(second);
  input_grid_->removeItem(input_actions_);
  input_actions_->setParent(nullptr);  // taken out, so it can be put in again
  if (arrangement_ == Arrangement::Full) {
    input_grid_->addWidget(first, 0, 5, 2, 1, Qt::AlignTop);
    input_grid_->addWidget(second, 3, 5, 3, 1, Qt::AlignTop);
    input_grid_->addLayout(input_actions_, 5, 1, 1, 4, Qt::AlignTop);
    input_grid_->setRowStretch(5, 1);
    input_grid_->setRowStretch(6, 0);
  } else {
    input_grid_->addWidget(first, 1, 0, 1, 5, Qt::AlignTop);
    input_grid_->addWidget(second, 5, 0, 1, 5, Qt::AlignTop);
    input_grid_->addLayout(input_actions_, 6, 1, 1, 4, Qt::AlignTop);
    input_grid_->setRowStretch(5, 0);
    input_grid_->setRowStretch(6, 1);
  }
}

QGroupBox* frmMain::CreateCalendarGroup(DateBox box, QButtonGroup*& group, std::array<QRadioButton*, 7>& options) {
  const bool first = box == DateBox::First;
  QGroupBox* frame = Named(new QGroupBox, first ? "lblThisIsA0" : "lblThisIsA1");
  lblThisIsA[first ? 0 : 1] = frame;
  group = new QButtonGroup(this);
  auto* grid = new QGridLayout(frame);
  grid->setVerticalSpacing(2);
  frame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  const auto& names = first ? kFirstOptionNames : kSecondOptionNames;
  for (std::size_t i = 0; i < kBoxCalendars.size(); ++i) {
    options[i] = Option(names[i]);
    group->addButton(options[i], kBoxCalendars[i]);
    // Two columns keep the group short: CE, JC, ISO, JDN left; ORD, LPM, LPW right.
    const int row = static_cast<int>(i % 4);
    const int column = static_cast<int>(i / 4);
    grid->addWidget(options[i], row, column);
  }
  // The free cell beside JDN: the added calendars, without making the group taller.
  grid->addLayout(CreateOtherCalendarChoice(box, group), 3, 1);
  options[0]->setChecked(true);
  return frame;
}

QWidget* frmMain::CreateOptionsColumn() {
  auto* column = Named(new QWidget, "OptionsColumn");
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);

  // Each option's id in its group is the value it stands for: the date format's code, the
  // separator's character (0 for no thousands separator).
  auto option_group = [this](const char* name, QButtonGroup*& group, std::array<QRadioButton**, 3> buttons,
                             std::array<const char*, 3> names, std::array<int, 3> ids) {
    QGroupBox* frame = Named(new QGroupBox, name);
    auto* box = new QVBoxLayout(frame);
    box->setSpacing(0);
    // Three short options need little room above and below them: the column stays low enough
    // for a 1024 x 600 screen.
    const QMargins margins = box->contentsMargins();
    box->setContentsMargins(margins.left(), kOptionFrameMargin, margins.right(), kOptionFrameMargin);
    group = new QButtonGroup(this);
    for (std::size_t i = 0; i < 3; ++i) {
      *buttons[i] = Option(names[i]);
      group->addButton(*buttons[i], ids[i]);
      box->addWidget(*buttons[i]);
    }
    return frame;
  };
  lblDateFormat = option_group("lblDateFormat", date_format_group_,
                               {&optDateFormatIsYMD, &optDateFormatIsDMY, &optDateFormatIsMDY},
                               {"optDateFormatIsYMD", "optDateFormatIsDMY", "optDateFormatIsMDY"},
                               {kFormatYMD, kFormatDMY, kFormatMDY});
  lblDateSeparator = option_group("lblDateSeparator", date_separator_group_,
                                  {&optSeparatorIsDash, &optSeparatorIsSlash, &optSeparatorIsDot},
                                  {"optSeparatorIsDash", "optSeparatorIsSlash", "optSeparatorIsDot"}, {'-', '/', '.'});
  lblThousandsSeparator = option_group("lblThousandsSeparator", thousands_separator_group_,
                                       {&optThousSepIsComma, &optThousSepIsDot, &optThousSepNone},
                                       {"optThousSepIsComma", "optThousSepIsDot", "optThousSepNone"}, {',', '.', 0});
  optDateFormatIsYMD->setChecked(true);
  optSeparatorIsDash->setChecked(true);
  optThousSepIsComma->setChecked(true);
  optSeparatorIsDash->setText(QString::fromStdString(SeparatorSample(kFormatYMD, "-")));
  optSeparatorIsSlash->setText(QString::fromStdString(SeparatorSample(kFormatYMD, "/")));
  optSeparatorIsDot->setText(QString::fromStdString(SeparatorSample(kFormatYMD, ".")));
  optThousSepIsComma->setText(QStringLiteral("2,000,000"));
  optThousSepIsDot->setText(QStringLiteral("2.000.000"));
  layout->addWidget(lblDateFormat);
  layout->addWidget(lblDateSeparator);
  layout->addWidget(lblThousandsSeparator);

  chkIncludeFirstDate = CheckBox("chkIncludeFirstDate");
  chkIncludeWeekends = CheckBox("chkIncludeWeekends");
  chkVerbose = CheckBox("chkVerbose");
  chkHyphen = CheckBox("chkHyphen");
  lblHyphen = Named(new QLabel, "lblHyphen");
  lblHyphen->setBuddy(chkHyphen);
  // The second line of the hyphen caption sits under the check box's text.
  lblHyphen->setIndent(QCheckBox().sizeHint().width());
  chkSaveOutput = CheckBox("chkSaveOutput");
  chkSaveOutput->setVisible(false);  // shown once the stored settings are in place
  QWidget* work_days_row = CreateWorkDaysRow();
  for (QWidget* widget : std::initializer_list<QWidget*>{chkIncludeFirstDate, chkIncludeWeekends, work_days_row,
                                                         chkVerbose, chkHyphen, lblHyphen, chkSaveOutput}) {
    layout->addWidget(widget);
  }
  layout->setSpacing(2);

  // The language box names its languages in the current language; it needs no label.
  cboLanguage = Named(new QComboBox, "cboLanguage");
  layout->addWidget(cboLanguage);

  cmdReset = Button("cmdReset");
  cmdHelp = Button("cmdHelp");
  cmdDisplayMonth = Button("cmdDisplayMonth");
  auto* buttons = new QGridLayout;
  buttons->addWidget(cmdDisplayMonth, 0, 0, 1, 2);
  buttons->addWidget(cmdHelp, 1, 0);
  buttons->addWidget(cmdReset, 1, 1);
  layout->addLayout(buttons);

  lblOnlineDocumentation = Named(new ClickableLabel(QAccessible::Link), "lblOnlineDocumentation");
  lblMaker = Named(new ClickableLabel(QAccessible::Link), "lblMaker");
  // The two links share a row, a line less for the column.
  auto* links = new QHBoxLayout;
  links->addWidget(lblOnlineDocumentation);
  links->addStretch(1);
  links->addWidget(lblMaker);
  layout->addLayout(links);
  layout->addStretch(1);
  cmdQuit = Button("cmdQuit");
  layout->addWidget(cmdQuit);
  options_column_ = layout;
  return column;
}

QWidget* frmMain::CreateOutputArea() {
  auto* area = Named(new QWidget, "OutputArea");
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);
  txbOutput = Named(new OutputTextBox, "txbOutput");
  SetOutputLines(8);
  cmdClearOutputWindow = Button("cmdClearOutputWindow");
  cmdCopyOutput = Button("cmdCopyOutput");
  cmdEnlarge = Button("cmdEnlarge");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdClearOutputWindow);
  buttons->addWidget(cmdCopyOutput);
  buttons->addWidget(cmdEnlarge);
  buttons->addStretch(1);
  layout->addWidget(txbOutput, 1);
  layout->addLayout(buttons);
  output_actions_ = buttons;
  return area;
}

// The Tab key walks the window as it reads: the today panel, the three rows with their
// calendars, Compute, the output window, then the options column top to bottom.
void frmMain::SetTabOrder() {
  std::vector<QWidget*> order{lblTodaysDate[1], lblWeekFromToday[1], txbFirstDate, cmdClearFirstDate, cmdToday[0]};
  for (QRadioButton* option : first_calendar_options_) order.push_back(option);
  order.push_back(optOtherCalendar[0]);
  order.push_back(cboOtherCalendar[0]);
  for (QWidget* widget : std::initializer_list<QWidget*>{txbDateDiff, cmdClearDateDiff, optDays, optMonths,
                                                         txbSecondDate, cmdClearSecondDate, cmdToday[1]}) {
    order.push_back(widget);
  }
  for (QRadioButton* option : second_calendar_options_) order.push_back(option);
  order.push_back(optOtherCalendar[1]);
  order.push_back(cboOtherCalendar[1]);
  for (QWidget* widget : std::initializer_list<QWidget*>{
           cmdCompute, cmdMoveSecondDateToFirst, txbOutput, cmdClearOutputWindow, cmdCopyOutput, cmdEnlarge,
           optDateFormatIsYMD, optDateFormatIsDMY, optDateFormatIsMDY, optSeparatorIsDash, optSeparatorIsSlash,
           optSeparatorIsDot, optThousSepIsComma, optThousSepIsDot, optThousSepNone, chkIncludeFirstDate,
           chkIncludeWeekends, cmdWorkingDays, chkVerbose, chkHyphen, chkSaveOutput, cboLanguage, cmdDisplayMonth, cmdHelp, cmdReset,
           lblOnlineDocumentation, lblMaker, cmdQuit}) {
    order.push_back(widget);
  }
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

// The main window's own controls are connected here; the working-days row in WireWorkDays, the
// keyboard shortcuts and the scrolling that follows the focus in CreateShortcuts, and the
// secondary windows where they are first made (MonthWindow, cmdHelp_Click).
void frmMain::WireSignals() {
  connect(cmdCompute, &QPushButton::clicked, this, [this] { cmdCompute_Click(); });
  connect(cmdMoveSecondDateToFirst, &QPushButton::clicked, this, [this] { cmdMoveSecondDateToFirst_Click(); });
  for (int i = 0; i < 2; ++i) {
    connect(cmdToday[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] { cmdToday_Click(i); });
    connect(VScroll[static_cast<std::size_t>(i)], &DayStepper::stepped, this,
            [this, i](int days) { VScroll_Change(i, days); });
    for (ClickableLabel* label : {lblTodaysDate[static_cast<std::size_t>(i)], lblWeekFromToday[static_cast<std::size_t>(i)]}) {
      connect(label, &ClickableLabel::released, this, [this](Qt::MouseButton button) { TodayLabelReleased(button); });
    }
  }
  connect(cmdClearFirstDate, &QPushButton::clicked, this, [this] {
    txbFirstDate->clear();
    SetTheFocus();
  });
  connect(cmdClearDateDiff, &QPushButton::clicked, this, [this] {
    txbDateDiff->clear();
    SetTheFocus();
  });
  connect(cmdClearSecondDate, &QPushButton::clicked, this, [this] {
    txbSecondDate->clear();
    SetTheFocus();
  });
  // Every way an option gets checked (a click, the arrow keys within the group, a screen
  // reader's toggle, setChecked by program) converts the box once; the window's own selection
  // by program (SelectCalendar, the restore after a refusal) only records the calendar. The
  // previous option is already clear when this arrives, so the handler may put it back.
  // The option's calendar is read as GetCal reads it: "Other calendar:" stands for its drop-down's.
  connect(first_calendar_group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked && !selecting_calendar_) FirstCalendarChanged(GetCal(1));
  });
  connect(second_calendar_group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked && !selecting_calendar_) SecondCalendarChanged(GetCal(2));
  });
  WireOtherCalendars();

  // Toggled, not clicked: choosing an option from the code (settings, Reset) acts as a click.
  connect(date_format_group_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) DateFormatChanged(static_cast<DateFormat>(id));
  });
  connect(date_separator_group_, &QButtonGroup::idToggled, this, [this](int, bool on) {
    if (on) DateSeparatorChanged();
  });
  connect(thousands_separator_group_, &QButtonGroup::idToggled, this, [this](int, bool on) {
    if (on) ThousandsSeparatorChanged();
  });
  connect(optDays, &QRadioButton::toggled, this, [this](bool on) { if (on) UnitChanged(DifferenceUnit::Days); });
  connect(optMonths, &QRadioButton::toggled, this, [this](bool on) { if (on) UnitChanged(DifferenceUnit::Months); });
  for (QCheckBox* box : {chkIncludeFirstDate, chkIncludeWeekends, chkVerbose, chkSaveOutput}) {
    connect(box, &QCheckBox::toggled, this, [this] { SetTheFocus(); });
  }
  connect(chkHyphen, &QCheckBox::toggled, this, [this] { chkHyphen_Click(); });
  connect(cboLanguage, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_language_list_) cboLanguage_Click();
  });
  connect(cmdReset, &QPushButton::clicked, this, [this] { cmdReset_Click(); });
  connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
  connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
  connect(cmdDisplayMonth, &QPushButton::clicked, this, [this] { cmdDisplayMonth_Click(); });
  connect(lblOnlineDocumentation, &ClickableLabel::released, this, [this] { lblOnlineDocumentation_Click(); });
  connect(lblMaker, &ClickableLabel::released, this, [this] { lblMaker_Click(); });

  connect(txbOutput, &OutputTextBox::copyRequested, this, [this] { cmdCopyOutput_Click(); });
  connect(txbOutput, &OutputTextBox::undoRequested, this, [this] { UndoClearOutput(); });
  connect(txbOutput, &OutputTextBox::mouseReleased, this, [this] { SetCopyButton(); });
  connect(txbOutput, &OutputTextBox::selectionChanged, this, [this] { SetCopyButton(); });
  connect(cmdCopyOutput, &QPushButton::clicked, this, [this] { cmdCopyOutput_Click(); });
  connect(cmdClearOutputWindow, &QPushButton::clicked, this, [this] { cmdClearOutputWindow_Click(); });
  connect(cmdEnlarge, &QPushButton::clicked, this, [this] { cmdEnlarge_Click(); });

  connect(Clock, &QTimer::timeout, this, [this] { UpdateTodayPanel(); });
  WireWorkDays();
}

// Cyan background with black text on the window, its frames, labels and options; the link in
// blue. Only the roles of what is drawn on the cyan are set, so the boxes and buttons keep the
// system's own matching pair of colours under a light or a dark theme.
void frmMain::SetColors() {
  const QColor cyan(0, 255, 255);
  const QColor black(0, 0, 0);
  const QColor white(255, 255, 255);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, cyan);
  colours.setColor(QPalette::WindowText, black);
  // The style draws focus marks in the highlight colour; a desktop's light blue hardly shows on
  // the cyan, a dark one does.
  colours.setColor(QPalette::Highlight, QColor(0, 0, 160));
  colours.setColor(QPalette::HighlightedText, white);
  setPalette(colours);
  setAutoFillBackground(true);
  // Option buttons and check boxes stand on the cyan too: their captions black, and their round
  // and square marks white with a black dot or tick, as on a light desktop. A dark desktop's
  // palette would otherwise fill every mark dark, and a selected option would hardly differ
  // from the others.
  for (QAbstractButton* option : findChildren<QAbstractButton*>()) {
    if (qobject_cast<QRadioButton*>(option) == nullptr && qobject_cast<QCheckBox*>(option) == nullptr) continue;
    QPalette own = option->palette();
    own.setColor(QPalette::Window, cyan);
    own.setColor(QPalette::WindowText, black);
    own.setColor(QPalette::Base, white);
    own.setColor(QPalette::Text, black);
    own.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    own.setColor(QPalette::Disabled, QPalette::WindowText, QColor(80, 80, 80));
    option->setPalette(own);
  }
  for (ClickableLabel* link : {lblOnlineDocumentation, lblMaker}) {
    QPalette own = link->palette();
    own.setColor(QPalette::WindowText, QColor(0, 0, 255));
    link->setPalette(own);
    QFont underlined = link->font();
    underlined.setUnderline(true);
    link->setFont(underlined);
  }
}

void frmMain::closeEvent(QCloseEvent* event) {
  // The window's own close box ends the program exactly as Quit does.
  WriteSettingsOnce();
  if (large_display_) large_display_->close();
  HideOtherWindows();
  event->accept();
  QApplication::quit();
}

void frmMain::cmdQuit_Click() { close(); }

frmClearOneTextBox& frmMain::ClearDialog() {
  if (!clear_dialog_) {
    clear_dialog_ = new frmClearOneTextBox(this);
    clear_dialog_->ApplyLanguageTexts(options_.language);
  }
  return *clear_dialog_;
}

}  // namespace qv
