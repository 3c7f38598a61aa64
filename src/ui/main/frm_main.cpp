// The main window's controls, their layout and their wiring. The behaviour behind each control
// lives in frm_main_flow.cpp (compute flow and box operations) and frm_main_options.cpp
// (options, settings, language).
#include "ui/main/frm_main.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

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

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QPushButton* Button(const char* name) { return Named(new QPushButton, name); }
QRadioButton* Option(const char* name) { return Named(new QRadioButton, name); }
QCheckBox* CheckBox(const char* name) { return Named(new QCheckBox, name); }

// A label that names the control beside it, for the keyboard (mnemonic) and screen readers.
QLabel* LabelFor(const char* name, QWidget* buddy) {
  QLabel* label = Named(new QLabel, name);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

frmMain::frmMain(const ProgramTextStore& texts, MessageService& messages, QWidget* parent)
    : QWidget(parent), texts_(texts), messages_(messages), posted_messages_(messages), engine_(texts) {
  setObjectName(QStringLiteral("frmMain"));
  CreateControls();
  WireSignals();
}

frmMain::~frmMain() = default;

void frmMain::CreateControls() {
  // Left: today panel, the input boxes and the output window; right: the options.
  auto* left = new QVBoxLayout;
  left->addWidget(CreateTodayPanel());
  left->addWidget(CreateInputFrame());
  left->addWidget(CreateOutputArea(), 1);

  auto* main = new QHBoxLayout(this);
  main->addLayout(left, 1);
  main->addWidget(CreateOptionsColumn());

  SetTabOrder();
  Clock = new QTimer(this);
  Clock->setObjectName(QStringLiteral("Clock"));
  SetColors();
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
  lblFirstDate = LabelFor("lblFirstDate", txbFirstDate);
  lblDateDifference = LabelFor("lblDateDifference", txbDateDiff);
  lblSecondDate = LabelFor("lblSecondDate", txbSecondDate);
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
    boxes[row]->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * (MaxInputLength + 4));
    boxes[row]->installEventFilter(this);
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
  grid->addWidget(CreateCalendarGroup(0, first_calendar_group_, first_calendar_options_), 0, 5, 2, 1, Qt::AlignTop);
  grid->addWidget(CreateCalendarGroup(1, second_calendar_group_, second_calendar_options_), 3, 5, 3, 1, Qt::AlignTop);

  cmdCompute = Button("cmdCompute");
  QFont bold = cmdCompute->font();
  bold.setBold(true);
  cmdCompute->setFont(bold);
  cmdMoveSecondDateToFirst = Button("cmdMoveSecondDateToFirst");
  auto* actions = new QHBoxLayout;
  actions->addWidget(cmdCompute);
  actions->addWidget(cmdMoveSecondDateToFirst);
  actions->addStretch(1);
  grid->addLayout(actions, 5, 1, 1, 4, Qt::AlignTop);
  for (DayStepper* stepper : VScroll) stepper->setFixedHeight(txbFirstDate->sizeHint().height());
  grid->setRowStretch(5, 1);
  grid->setColumnStretch(1, 1);
  return Frame3;
}

QGroupBox* frmMain::CreateCalendarGroup(int box, QButtonGroup*& group, std::array<QRadioButton*, 7>& options) {
  QGroupBox* frame = Named(new QGroupBox, box == 0 ? "lblThisIsA0" : "lblThisIsA1");
  lblThisIsA[static_cast<std::size_t>(box)] = frame;
  group = new QButtonGroup(this);
  auto* grid = new QGridLayout(frame);
  grid->setVerticalSpacing(2);
  frame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  const auto& names = box == 0 ? kFirstOptionNames : kSecondOptionNames;
  for (std::size_t i = 0; i < kBoxCalendars.size(); ++i) {
    options[i] = Option(names[i]);
    group->addButton(options[i], kBoxCalendars[i]);
    // Two columns keep the group short: CE, JC, ISO, JDN left; ORD, LPM, LPW right.
    const int row = static_cast<int>(i % 4);
    const int column = static_cast<int>(i / 4);
    grid->addWidget(options[i], row, column);
  }
  options[0]->setChecked(true);
  return frame;
}

QWidget* frmMain::CreateOptionsColumn() {
  auto* column = Named(new QWidget, "OptionsColumn");
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);

  auto option_group = [this](const char* name, std::array<QRadioButton**, 3> buttons,
                             std::array<const char*, 3> names) {
    QGroupBox* frame = Named(new QGroupBox, name);
    auto* box = new QVBoxLayout(frame);
    box->setSpacing(0);
    auto* group = new QButtonGroup(this);
    for (std::size_t i = 0; i < 3; ++i) {
      *buttons[i] = Option(names[i]);
      group->addButton(*buttons[i]);
      box->addWidget(*buttons[i]);
    }
    return frame;
  };
  lblDateFormat = option_group("lblDateFormat", {&optDateFormatIsYMD, &optDateFormatIsDMY, &optDateFormatIsMDY},
                               {"optDateFormatIsYMD", "optDateFormatIsDMY", "optDateFormatIsMDY"});
  lblDateSeparator =
      option_group("lblDateSeparator", {&optSeparatorIsDash, &optSeparatorIsSlash, &optSeparatorIsDot},
                   {"optSeparatorIsDash", "optSeparatorIsSlash", "optSeparatorIsDot"});
  lblThousandsSeparator =
      option_group("lblThousandsSeparator", {&optThousSepIsComma, &optThousSepIsDot, &optThousSepNone},
                   {"optThousSepIsComma", "optThousSepIsDot", "optThousSepNone"});
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
  for (QWidget* widget : std::initializer_list<QWidget*>{chkIncludeFirstDate, chkIncludeWeekends, chkVerbose,
                                                         chkHyphen, lblHyphen, chkSaveOutput}) {
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
  layout->addWidget(lblOnlineDocumentation);
  layout->addWidget(lblMaker);
  layout->addStretch(1);
  cmdQuit = Button("cmdQuit");
  layout->addWidget(cmdQuit);
  return column;
}

QWidget* frmMain::CreateOutputArea() {
  auto* area = Named(new QWidget, "OutputArea");
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);
  txbOutput = Named(new OutputTextBox, "txbOutput");
  txbOutput->setMinimumHeight(txbOutput->fontMetrics().lineSpacing() * 8);
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
  return area;
}

// The Tab key walks the window as it reads: the today panel, the three rows with their
// calendars, Compute, the output window, then the options column top to bottom.
void frmMain::SetTabOrder() {
  std::vector<QWidget*> order{lblTodaysDate[1], lblWeekFromToday[1], txbFirstDate, cmdClearFirstDate, cmdToday[0]};
  for (QRadioButton* option : first_calendar_options_) order.push_back(option);
  for (QWidget* widget : std::initializer_list<QWidget*>{txbDateDiff, cmdClearDateDiff, optDays, optMonths,
                                                         txbSecondDate, cmdClearSecondDate, cmdToday[1]}) {
    order.push_back(widget);
  }
  for (QRadioButton* option : second_calendar_options_) order.push_back(option);
  for (QWidget* widget : std::initializer_list<QWidget*>{
           cmdCompute, cmdMoveSecondDateToFirst, txbOutput, cmdClearOutputWindow, cmdCopyOutput, cmdEnlarge,
           optDateFormatIsYMD, optDateFormatIsDMY, optDateFormatIsMDY, optSeparatorIsDash, optSeparatorIsSlash,
           optSeparatorIsDot, optThousSepIsComma, optThousSepIsDot, optThousSepNone, chkIncludeFirstDate,
           chkIncludeWeekends, chkVerbose, chkHyphen, chkSaveOutput, cboLanguage, cmdDisplayMonth, cmdHelp, cmdReset,
           lblOnlineDocumentation, lblMaker, cmdQuit}) {
    order.push_back(widget);
  }
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

// Every signal of the window is connected here and nowhere else.
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
  connect(first_calendar_group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked && !selecting_calendar_) FirstCalendarChanged(static_cast<CalendarCode>(id));
  });
  connect(second_calendar_group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked && !selecting_calendar_) SecondCalendarChanged(static_cast<CalendarCode>(id));
  });

  connect(optDateFormatIsYMD, &QRadioButton::toggled, this, [this](bool on) { if (on) DateFormatChanged(kFormatYMD); });
  connect(optDateFormatIsDMY, &QRadioButton::toggled, this, [this](bool on) { if (on) DateFormatChanged(kFormatDMY); });
  connect(optDateFormatIsMDY, &QRadioButton::toggled, this, [this](bool on) { if (on) DateFormatChanged(kFormatMDY); });
  connect(optSeparatorIsDash, &QRadioButton::toggled, this, [this](bool on) { if (on) DateSeparatorChanged("-"); });
  connect(optSeparatorIsSlash, &QRadioButton::toggled, this, [this](bool on) { if (on) DateSeparatorChanged("/"); });
  connect(optSeparatorIsDot, &QRadioButton::toggled, this, [this](bool on) { if (on) DateSeparatorChanged("."); });
  connect(optThousSepIsComma, &QRadioButton::toggled, this, [this](bool on) { if (on) ThousandsSeparatorChanged(","); });
  connect(optThousSepIsDot, &QRadioButton::toggled, this, [this](bool on) { if (on) ThousandsSeparatorChanged("."); });
  connect(optThousSepNone, &QRadioButton::toggled, this, [this](bool on) { if (on) ThousandsSeparatorChanged(""); });
  connect(optDays, &QRadioButton::toggled, this, [this](bool on) { if (on) UnitChanged(false); });
  connect(optMonths, &QRadioButton::toggled, this, [this](bool on) { if (on) UnitChanged(true); });
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
  connect(txbOutput, &OutputTextBox::mouseReleased, this, [this] { SetCopyButton(); });
  connect(txbOutput, &QPlainTextEdit::selectionChanged, this, [this] { SetCopyButton(); });
  connect(cmdCopyOutput, &QPushButton::clicked, this, [this] { cmdCopyOutput_Click(); });
  connect(cmdClearOutputWindow, &QPushButton::clicked, this, [this] { cmdClearOutputWindow_Click(); });
  connect(cmdEnlarge, &QPushButton::clicked, this, [this] { cmdEnlarge_Click(); });

  connect(Clock, &QTimer::timeout, this, [this] { UpdateTodayPanel(); });
}

// Cyan background with black text on the window, its frames, labels and options; the link in
// blue. Only the roles of text drawn on the cyan are set, so the boxes and buttons keep the
// system's own matching pair of colours under a light or a dark theme.
void frmMain::SetColors() {
  const QColor cyan(0, 255, 255);
  const QColor black(0, 0, 0);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, cyan);
  colours.setColor(QPalette::WindowText, black);
  setPalette(colours);
  setAutoFillBackground(true);
  // Check boxes draw their caption in the text colour of the window.
  for (QCheckBox* box : {chkIncludeFirstDate, chkIncludeWeekends, chkVerbose, chkHyphen, chkSaveOutput}) {
    QPalette own = box->palette();
    own.setColor(QPalette::WindowText, black);
    own.setColor(QPalette::Window, cyan);
    box->setPalette(own);
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
    clear_dialog_->ApplyLanguageTexts(current_language_);
  }
  return *clear_dialog_;
}

}  // namespace qv
