#include "ui/month/frm_display_month.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <functional>
#include <string>
#include <utility>

#include "calendar/added_calendars.h"
#include "lang/added_calendar_texts.h"
#include "lang/general_texts.h"
#include "platform/fixed_pitch_font.h"
#include "platform/named_widget.h"
#include "platform/qt_text.h"
#include "platform/screen_fit.h"
#include "platform/twips.h"
#include "text/string_utils.h"

namespace qv {
namespace {

// Where the window opens beside the main window, and the room below its lowest control.
constexpr int kOffsetRightTwips = 4000;
constexpr int kOffsetDownTwips = 1710;
constexpr int kBottomMarginTwips = 550;
// The window's left, top and right margins, and the gaps between the year, the month list and
// the Display button.
constexpr int kMarginTwips = 200;
constexpr int kGapTwips = 200;

// The grid's columns only line up in a fixed-pitch font.
constexpr int kGridFontPointSize = 9;

// Lines a grid can have (the header and six rows; with another calendar each row twice), and the
// widest ISO line: seven cells of "0-W01-1" and six gaps of two spaces.
constexpr int kGridLines = 1 + kMaxMonthRows;
constexpr int kGridLinesWithOther = 1 + 2 * kMaxMonthRows;
constexpr int kIsoLineLength = 7 * 7 + 6 * 2;

constexpr int16_t kTextIsoTitle = 13;
constexpr int16_t kTextShowIso = 14;
constexpr int16_t kTextHideIso = 15;

QString WithColon(GeneralText entry, Language language) { return ToQString(TextOf(entry, language)) + QLatin1Char(':'); }

// Room for `columns` characters and `lines` lines of the box's font.
void SizeGridBox(QPlainTextEdit* box, int columns, int lines) {
  const QFontMetrics metrics(box->font());
  const int margin = static_cast<int>(2 * box->document()->documentMargin()) + 2 * box->frameWidth() + 4;
  box->setFixedSize(metrics.horizontalAdvance(QString(columns + 1, QLatin1Char('0'))) + margin,
                    metrics.lineSpacing() * lines + margin);
}

// A read-only fixed-pitch text box sized for `columns` characters and `lines` lines; the
// keyboard can reach it, select and copy, and Tab moves on.
QPlainTextEdit* MakeGridBox(QWidget* parent, const char* name, int columns, int lines) {
  auto* box = Named(new QPlainTextEdit(parent), name);
  box->setReadOnly(true);
  box->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  box->setTabChangesFocus(true);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setFont(FixedPitchFont(kGridFontPointSize));
  SizeGridBox(box, columns, lines);
  return box;
}

QPushButton* MakeButton(QWidget* parent, const char* name) {
  auto* button = Named(new QPushButton(parent), name);
  button->setAutoDefault(false);
  return button;
}

QRadioButton* MakeOption(QWidget* parent, const char* name) { return Named(new QRadioButton(parent), name); }

}  // namespace

frmDisplayMonth::frmDisplayMonth(const ProgramTextStore& texts, MessageService& messages, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), texts_(texts), messages_(messages), main_window_(mainWindow) {
  setObjectName(QStringLiteral("frmDisplayMonth"));
  CreateControls();
  WireControls();
  // Loading: the month names, January, the year digit ticked, the ISO panel hidden.
  FillMonthList();
  SelectMonth(1);
  chkWithYear->setChecked(true);
  SetDefaultChoices();
  SetIsoPanel(IsoPanel::Hidden);
  if (main_window_ != nullptr) setWindowIcon(main_window_->windowIcon());
  ApplyLanguageTexts(language_);
}

void frmDisplayMonth::CreateControls() {
  txbYear = Named(new QLineEdit(this), "txbYear");
  txbYear->setMaxLength(40);
  lblYear = NamedLabelFor("lblYear", txbYear, this);
  cboMonths = Named(new QComboBox(this), "cboMonths");
  lblMonth = NamedLabelFor("lblMonth", cboMonths, this);
  cmdDisplay = MakeButton(this, "cmdDisplay");

  txbMonth = MakeGridBox(this, "txbMonth", static_cast<int>(kMonthRowLength), kGridLines);
  txbISODates = MakeGridBox(this, "txbISODates", kIsoLineLength, kGridLines);
  chkWithYear = Named(new QCheckBox(this), "chkWithYear");
  cmdShowHideISO = MakeButton(this, "cmdShowHideISO");

  auto* top = new QHBoxLayout;
  top->addWidget(lblYear);
  top->addWidget(txbYear);
  top->addSpacing(TwipsToPixels(kGapTwips, this));
  top->addWidget(lblMonth);
  top->addWidget(cboMonths);
  top->addSpacing(TwipsToPixels(kGapTwips, this));
  top->addWidget(cmdDisplay);
  top->addStretch();

  auto* grid_row = new QHBoxLayout;
  grid_row->addWidget(txbMonth, 0, Qt::AlignTop);
  grid_row->addWidget(CreateButtonColumn(), 0, Qt::AlignTop);
  grid_row->addStretch();

  auto* iso_row = new QHBoxLayout;
  iso_row->addWidget(cmdShowHideISO);
  iso_row->addWidget(chkWithYear);
  iso_row->addStretch();

  auto* layout = new QVBoxLayout(this);
  const int side = TwipsToPixels(kMarginTwips, this);
  layout->setContentsMargins(side, side, side, TwipsToPixels(kBottomMarginTwips, this));
  layout->addLayout(top);
  layout->addWidget(CreateChoiceRow());
  layout->addLayout(grid_row);
  layout->addWidget(CreateHolidayPanel());
  layout->addLayout(iso_row);
  layout->addWidget(txbISODates, 0, Qt::AlignLeft);
  // The window is as large as its controls: hiding or showing the ISO panel changes its height
  // so that the bottom edge keeps its distance below the lowest control shown.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(txbYear, cboMonths);
  setTabOrder(cboMonths, cmdDisplay);
  setTabOrder(cmdDisplay, optCommonEra);
  setTabOrder(optCommonEra, optJulian);
  setTabOrder(optJulian, optSunday);
  setTabOrder(optSunday, optMonday);
  setTabOrder(optMonday, cboAlsoShow);
  setTabOrder(cboAlsoShow, txbMonth);
  setTabOrder(txbMonth, cmdDisplayNextMonth[0]);
  setTabOrder(cmdDisplayNextMonth[0], cmdDisplayNextMonth[1]);
  setTabOrder(cmdDisplayNextMonth[1], cmdCopyToClipboard);
  setTabOrder(cmdCopyToClipboard, cmdClose);
  setTabOrder(cmdClose, cmdShowHideISO);
  setTabOrder(cmdShowHideISO, chkWithYear);
  setTabOrder(chkWithYear, txbISODates);
}

QWidget* frmDisplayMonth::CreateChoiceRow() {
  auto* row = new QWidget(this);
  optCommonEra = MakeOption(row, "optCommonEra");
  optJulian = MakeOption(row, "optJulian");
  optSunday = MakeOption(row, "optSunday");
  optMonday = MakeOption(row, "optMonday");
  lblCalendar = NamedLabelFor("lblCalendar", optCommonEra, row);
  lblFirstDayOfWeek = NamedLabelFor("lblFirstDayOfWeek", optSunday, row);
  // Two independent pairs: each group keeps exactly one of its options selected.
  calendar_group_ = new QButtonGroup(this);
  calendar_group_->addButton(optCommonEra);
  calendar_group_->addButton(optJulian);
  week_start_group_ = new QButtonGroup(this);
  week_start_group_->addButton(optSunday);
  week_start_group_->addButton(optMonday);

  auto* layout = new QGridLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(lblCalendar, 0, 0);
  layout->addWidget(optCommonEra, 0, 1);
  layout->addWidget(optJulian, 0, 2);
  layout->addWidget(lblFirstDayOfWeek, 1, 0);
  layout->addWidget(optSunday, 1, 1);
  layout->addWidget(optMonday, 1, 2);
  // "Also show:" and the added calendars, with the months they show named beside the list.
  cboAlsoShow = Named(new QComboBox(row), "cboAlsoShow");
  cboAlsoShow->addItem(QString(), QVariant::fromValue<int>(kNoOtherCalendar));
  for (const CalendarCode code : AvailableAddedCalendars()) cboAlsoShow->addItem(QString(), QVariant::fromValue<int>(code));
  lblAlsoShow = NamedLabelFor("lblAlsoShow", cboAlsoShow, row);
  lblAlsoShowMonths = Named(new QLabel(row), "lblAlsoShowMonths");
  lblAlsoShowMonths->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(lblAlsoShow, 2, 0);
  layout->addWidget(cboAlsoShow, 2, 1, 1, 2);
  layout->addWidget(lblAlsoShowMonths, 2, 3);
  layout->setColumnStretch(3, 1);
  return row;
}

QWidget* frmDisplayMonth::CreateButtonColumn() {
  auto* column = new QWidget(this);
  cmdDisplayNextMonth[0] = MakeButton(column, "cmdDisplayNextMonth_0");
  cmdDisplayNextMonth[1] = MakeButton(column, "cmdDisplayNextMonth_1");
  cmdCopyToClipboard = MakeButton(column, "cmdCopyToClipboard");
  cmdClose = MakeButton(column, "cmdClose");
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(cmdDisplayNextMonth[0]);
  layout->addWidget(cmdDisplayNextMonth[1]);
  layout->addWidget(cmdCopyToClipboard);
  layout->addStretch();
  layout->addWidget(cmdClose);
  return column;
}

// Every signal of the window is connected here and nowhere else.
void frmDisplayMonth::WireControls() {
  connect(cmdDisplay, &QPushButton::clicked, this, [this] { cmdDisplay_Click(); });
  connect(cboMonths, &QComboBox::currentIndexChanged, this, [this] { cboMonths_Click(); });
  txbYear->installEventFilter(this);
  connect(optCommonEra, &QRadioButton::toggled, this, [this](bool on) { if (on) optCommonEra_Click(); });
  connect(optJulian, &QRadioButton::toggled, this, [this](bool on) { if (on) optJulian_Click(); });
  connect(optSunday, &QRadioButton::toggled, this, [this](bool on) { if (on) optSunday_Click(); });
  connect(optMonday, &QRadioButton::toggled, this, [this](bool on) { if (on) optMonday_Click(); });
  connect(chkWithYear, &QCheckBox::toggled, this, [this] { chkWithYear_Click(); });
  connect(cboAlsoShow, &QComboBox::currentIndexChanged, this, [this] { cboAlsoShow_Click(); });
  connect(cmdShowHideISO, &QPushButton::clicked, this, [this] { cmdShowHideISO_Click(); });
  connect(cmdDisplayNextMonth[0], &QPushButton::clicked, this, [this] { cmdDisplayNextMonth_Click(0); });
  connect(cmdDisplayNextMonth[1], &QPushButton::clicked, this, [this] { cmdDisplayNextMonth_Click(1); });
  connect(cmdCopyToClipboard, &QPushButton::clicked, this, [this] { cmdCopyToClipboard_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
  AddCloseKeys(this, cmdClose);
  // Page Up and Page Down step the month as the two buttons do, with Ctrl the year, from any
  // control of the window.
  const std::pair<QKeyCombination, std::function<void()>> steps[] = {
      {Qt::Key_PageDown, [this] { cmdDisplayNextMonth_Click(0); }},
      {Qt::Key_PageUp, [this] { cmdDisplayNextMonth_Click(1); }},
      {Qt::CTRL | Qt::Key_PageDown, [this] { StepShownMonth(MonthStep::Next, StepSize::Year); }},
      {Qt::CTRL | Qt::Key_PageUp, [this] { StepShownMonth(MonthStep::Previous, StepSize::Year); }},
  };
  for (const auto& [keys, step] : steps) {
    auto* shortcut = new QShortcut(QKeySequence(keys), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, step);
  }
}

// ---- Public operations ------------------------------------------------------------------------

void frmDisplayMonth::ApplyLanguageTexts(Language language) {
  using G = GeneralText;
  language_ = language;
  // Labels name the control beside them and end with a colon.
  const std::pair<QLabel*, G> labels[] = {
      {lblYear, G::Year}, {lblMonth, G::Month}, {lblCalendar, G::Calendar}, {lblFirstDayOfWeek, G::FirstDayOfWeek}};
  for (const auto& [label, entry] : labels) label->setText(WithColon(entry, language));
  const std::pair<QAbstractButton*, G> buttons[] = {
      {optCommonEra, G::CommonEra},
      {optJulian, G::Julian},
      {cmdClose, G::Close},
      {cmdCopyToClipboard, G::CopyToClipboard},
      {cmdDisplay, G::DisplayMonth},
      {cmdDisplayNextMonth[0], G::DisplayNextMonth},
      {cmdDisplayNextMonth[1], G::DisplayPreviousMonth},
      {chkWithYear, G::WithFinalDigitOfYear}};
  for (const auto& [button, entry] : buttons) button->setText(ToQString(TextOf(entry, language)));
  optSunday->setText(ToQString(WeekdayName(language, 0)));
  optMonday->setText(ToQString(WeekdayName(language, 1)));
  // While the panel is shown the button keeps offering to hide it, so its caption never
  // contradicts what a click does.
  cmdShowHideISO->setText(iso_dates_shown_ ? NumberedText(kTextHideIso)
                                           : ToQString(TextOf(G::DisplayIsoWeekDates, language)));

  // Names for assistive technology: a button's caption, and a box's the caption of the label
  // beside it.
  for (const auto& [button, entry] : buttons) button->setAccessibleName(button->text());
  for (QAbstractButton* button : {optSunday, optMonday}) button->setAccessibleName(button->text());
  cmdShowHideISO->setAccessibleName(cmdShowHideISO->text());
  const std::pair<QWidget*, G> boxes[] = {{txbYear, G::Year}, {cboMonths, G::Month}, {txbMonth, G::DisplayMonth}};
  for (const auto& [box, entry] : boxes) box->setAccessibleName(ToQString(TextOf(entry, language)));
  txbISODates->setAccessibleName(NumberedText(kTextIsoTitle));

  lblAlsoShow->setText(ToQString(AddedCalendarTextOf(AddedCalendarText::AlsoShow, language)));
  cboAlsoShow->setAccessibleName(ToQString(AddedCalendarTextOf(AddedCalendarText::AlsoShowName, language)));
  cboAlsoShow->setItemText(0, ToQString(AddedCalendarTextOf(AddedCalendarText::AlsoShowNone, language)));
  for (int item = 1; item < cboAlsoShow->count(); ++item) {
    cboAlsoShow->setItemText(
        item, ToQString(AddedCalendarName(static_cast<CalendarCode>(cboAlsoShow->itemData(item).toInt()), language)));
  }
  lblAlsoShowMonths->setAccessibleName(ToQString(AddedCalendarTextOf(AddedCalendarText::AlsoShowMonths, language)));
}

void frmDisplayMonth::SetDefaultChoices() {
  SetWeekStart(WeekStart::Sunday);
  SetCalendar(MonthCalendar::CommonEra);
}

WeekStart frmDisplayMonth::ChosenWeekStart() const {
  return optMonday->isChecked() ? WeekStart::Monday : WeekStart::Sunday;
}

void frmDisplayMonth::SetWeekStart(WeekStart start) {
  (start == WeekStart::Monday ? optMonday : optSunday)->setChecked(true);
}

MonthCalendar frmDisplayMonth::ChosenCalendar() const {
  return optJulian->isChecked() ? MonthCalendar::Julian : MonthCalendar::CommonEra;
}

void frmDisplayMonth::SetCalendar(MonthCalendar calendar) {
  (calendar == MonthCalendar::Julian ? optJulian : optCommonEra)->setChecked(true);
}

CalendarCode frmDisplayMonth::ChosenAlsoShow() const {
  const int code = cboAlsoShow->currentData().toInt();
  return IsAddedCalendar(code) ? static_cast<CalendarCode>(code) : kNoOtherCalendar;
}

void frmDisplayMonth::SetAlsoShow(CalendarCode code) {
  const int item = cboAlsoShow->findData(QVariant::fromValue<int>(IsAddedCalendar(code) ? code : kNoOtherCalendar));
  cboAlsoShow->setCurrentIndex(item < 0 ? 0 : item);
}

void frmDisplayMonth::OpenAtFirstDate(std::string_view firstDateText, CalendarCode firstCalendar,
                                      const DateTextOptions& options) {
  OpenAtMonth(MonthOfFirstDate(TrimBlanks(firstDateText), firstCalendar, options));
}

void frmDisplayMonth::OpenAtMonth(YearMonth month) {
  txbYear->setText(QString::number(month.year));
  SelectMonth(month.month);
  if (!isVisible()) {
    if (main_window_ != nullptr) {
      move(main_window_->frameGeometry().topLeft() +
           QPoint(TwipsToPixels(kOffsetRightTwips, this), TwipsToPixels(kOffsetDownTwips, this)));
    }
    show();
    // A window the user has not placed yet lies wholly on the screen.
    KeepInside(this, AvailableGeometry(this));
  }
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  DisplayMonth();
}

void frmDisplayMonth::DisplayMonth() { Draw(Redraw::Reporting); }

// ---- Drawing ----------------------------------------------------------------------------------

MonthGridRequest frmDisplayMonth::ChosenRequest(int32_t year) const {
  return MonthGridRequest{.year = year,
                          .month = static_cast<int16_t>(cboMonths->currentIndex() + 1),
                          .calendar = ChosenCalendar(),
                          .week_start = ChosenWeekStart(),
                          .language = language_,
                          .other = ChosenAlsoShow()};
}

void frmDisplayMonth::Draw(Redraw redraw) {
  if (!isVisible()) return;
  const MonthYearReading reading = ReadMonthYear(txbYear->text().toStdString());
  // A year of only signs, or beyond the calendars' range, is no more usable than none at all.
  const MonthGridRequest request = ChosenRequest(reading.year);
  const std::optional<MonthGrid> grid =
      reading.status == MonthYearStatus::Valid ? BuildMonthGrid(request) : std::nullopt;
  if (!grid) {
    if (redraw == Redraw::Reporting) ShowYearMessage();
    return;
  }
  const bool with_other = !grid->other_rows.empty();
  FitGridBox(with_other ? kGridLinesWithOther : kGridLines);
  grid_row_step_ = with_other ? 2 : 1;
  txbMonth->setPlainText(ToQString(grid->Text()));
  row_count_ = grid->row_count;
  first_cell_day_ = grid->first_cell_day;
  drawn_ = request;
  other_line_ = OtherCalendarLine(request, *grid);
  lblAlsoShowMonths->setText(ToQString(grid->other_months));
  days_before_ = grid->days_before;
  days_after_ = grid->days_after;
  // A screen reader hears the grid's text, in which the months beside look like the month
  // itself: the description says which days are theirs.
  txbMonth->setAccessibleDescription(ToQString(NeighbourDaysText(request, *grid)));
  SetTitle();
  DimOtherRows();
  DimNeighbourDays();
  MarkWorkDays();
  if (iso_dates_shown_) ShowIsoWeekDates();
  cmdClose->setFocus();
}

// The grid box grows by the other calendar's rows and shrinks back without them; the window
// follows, as it does for the ISO panel.
void frmDisplayMonth::FitGridBox(int lines) { SizeGridBox(txbMonth, static_cast<int>(kMonthRowLength), lines); }

// The other calendar's rows in the colour of secondary text, so that the eye finds the grid's own
// days first; the text, and so the copied text, is the same.
void frmDisplayMonth::DimOtherRows() {
  if (grid_row_step_ < 2) return;
  QTextDocument* document = txbMonth->document();
  document->setUndoRedoEnabled(false);
  QTextCharFormat dim;
  dim.setForeground(txbMonth->palette().color(QPalette::PlaceholderText));
  QTextCursor cursor(document);
  for (int row = 0; row < row_count_; ++row) {
    const QTextBlock block = document->findBlockByNumber(2 + row * 2);
    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(dim);
  }
}

// The days of the months before and after in the colour of secondary text, as printed calendars
// grey them, so that the month's own days stand out; in italics too, so that beside the other
// calendar's rows (grey as well) they are still the grid's own. The text is the same.
void frmDisplayMonth::DimNeighbourDays() {
  if (row_count_ <= 0) return;
  QTextDocument* document = txbMonth->document();
  document->setUndoRedoEnabled(false);
  QTextCharFormat dim;
  dim.setForeground(txbMonth->palette().color(QPalette::PlaceholderText));
  dim.setFontItalic(true);
  QTextCursor cursor(document);
  const auto dim_cells = [&](int row, int first_column, int count) {
    if (count <= 0) return;
    const QTextBlock block = document->findBlockByNumber(1 + row * grid_row_step_);
    const int start = block.position() + kMonthRowIndent + first_column * kMonthCellWidth;
    cursor.setPosition(start);
    cursor.setPosition(start + (count - 1) * kMonthCellWidth + kMonthDayWidth, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(dim);
  };
  dim_cells(0, 0, days_before_);
  dim_cells(row_count_ - 1, 7 - days_after_, days_after_);
}

// "Display Month", with another calendar followed by its months: "Display Month (Adar II – Nisan 5784)".
void frmDisplayMonth::SetTitle() {
  QString title = ToQString(TextOf(GeneralText::DisplayMonth, language_));
  if (drawn_ && IsAddedCalendar(drawn_->other) && !lblAlsoShowMonths->text().isEmpty()) {
    title += QStringLiteral(" (") + lblAlsoShowMonths->text() + QLatin1Char(')');
  }
  setWindowTitle(title);
}

void frmDisplayMonth::ShowIsoWeekDates() {
  const IsoYearDigit digit = chkWithYear->isChecked() ? IsoYearDigit::With : IsoYearDigit::Without;
  txbISODates->setPlainText(ToQString(IsoWeekText(first_cell_day_, row_count_, digit, language_)));
  cmdClose->setFocus();
}

void frmDisplayMonth::UpdateIsoControls() {
  // The ISO rows need weeks that start on Monday in the Common Era.
  const bool available = optCommonEra->isChecked() && optMonday->isChecked();
  cmdShowHideISO->setEnabled(available);
  chkWithYear->setEnabled(available);
}

void frmDisplayMonth::SetIsoPanel(IsoPanel panel) {
  const bool shown = panel == IsoPanel::Shown;
  iso_dates_shown_ = shown;
  cmdShowHideISO->setText(NumberedText(shown ? kTextHideIso : kTextShowIso));
  cmdShowHideISO->setAccessibleName(cmdShowHideISO->text());
  txbISODates->setVisible(shown);
  if (shown) ShowIsoWeekDates();
}

void frmDisplayMonth::FillMonthList() {
  const QSignalBlocker block(cboMonths);
  const int selected = cboMonths->currentIndex();
  cboMonths->clear();
  for (int month = 1; month <= 12; ++month) cboMonths->addItem(ToQString(MonthName(language_, month)));
  cboMonths->setCurrentIndex(selected < 0 ? 0 : selected);
}

void frmDisplayMonth::SelectMonth(int16_t month) {
  const QSignalBlocker block(cboMonths);
  cboMonths->setCurrentIndex(month >= 1 && month <= 12 ? month - 1 : 0);
}

void frmDisplayMonth::ShowYearMessage() {
  in_message_ = true;
  messages_.Show(this, MessageRequest{.title = ToQString(TextOf(GeneralText::InvalidInput, language_)),
                                      .text = ToQString(TextOf(GeneralText::PleaseSpecifyYear, language_))});
  in_message_ = false;
}

QString frmDisplayMonth::NumberedText(int16_t number) const { return ToQString(GetProgramText(texts_, number, language_)); }

// ---- Handlers ---------------------------------------------------------------------------------

void frmDisplayMonth::cmdDisplay_Click() { DisplayMonth(); }

void frmDisplayMonth::cboMonths_Click() { DisplayMonth(); }

void frmDisplayMonth::txbYear_KeyUp() { DisplayMonth(); }

void frmDisplayMonth::optCommonEra_Click() {
  DisplayMonth();
  if (iso_dates_shown_ && optSunday->isChecked()) SetIsoPanel(IsoPanel::Hidden);
  UpdateIsoControls();
}

void frmDisplayMonth::optJulian_Click() {
  DisplayMonth();
  if (iso_dates_shown_) SetIsoPanel(IsoPanel::Hidden);
  UpdateIsoControls();
}

void frmDisplayMonth::optSunday_Click() {
  DisplayMonth();
  if (iso_dates_shown_) SetIsoPanel(IsoPanel::Hidden);
  UpdateIsoControls();
}

void frmDisplayMonth::optMonday_Click() {
  DisplayMonth();
  if (iso_dates_shown_ && optJulian->isChecked()) SetIsoPanel(IsoPanel::Hidden);
  UpdateIsoControls();
}

void frmDisplayMonth::chkWithYear_Click() {
  if (iso_dates_shown_) ShowIsoWeekDates();
}

// As the other choices: the grid is drawn again, and with it the rows beneath, the box's height,
// the months named and the title; a grid that cannot be drawn leaves all of them as they are.
void frmDisplayMonth::cboAlsoShow_Click() { DisplayMonth(); }

void frmDisplayMonth::cmdShowHideISO_Click() { SetIsoPanel(iso_dates_shown_ ? IsoPanel::Hidden : IsoPanel::Shown); }

void frmDisplayMonth::cmdDisplayNextMonth_Click(int index) {
  StepShownMonth(index == 0 ? MonthStep::Next : MonthStep::Previous, StepSize::Month);
}

void frmDisplayMonth::StepShownMonth(MonthStep direction, StepSize size) {
  const QString trimmed = ToQString(TrimBlanks(txbYear->text().toStdString()));
  txbYear->setText(trimmed);
  if (trimmed.isEmpty()) return;
  const MonthYearReading reading = ReadMonthYear(trimmed.toStdString());
  const YearMonth shown{reading.year, static_cast<int16_t>(cboMonths->currentIndex() + 1)};
  const std::optional<YearMonth> step =
      reading.status != MonthYearStatus::Valid ? std::nullopt
      : size == StepSize::Month                ? StepMonth(shown, direction)
                                               : StepYear(shown, direction);
  if (!step) {
    // No usable year, or a step past the first or last month of the range: nothing changes.
    ShowYearMessage();
    return;
  }
  if (step->year != reading.year) txbYear->setText(QString::number(step->year));
  SelectMonth(step->month);
  DisplayMonth();
}

void frmDisplayMonth::cmdCopyToClipboard_Click() {
  if (!drawn_) return;
  // The heading names the month of the grid on show, even when the year box has been edited
  // since it was drawn.
  MonthGridRequest heading_request = *drawn_;
  heading_request.language = language_;
  const std::optional<std::string> iso =
      iso_dates_shown_ ? std::optional<std::string>(txbISODates->toPlainText().toStdString()) : std::nullopt;
  std::string heading = MonthHeading(heading_request);
  if (!other_line_.empty()) heading.append("\n").append(other_line_);
  const std::string text = MonthCopyText(heading, txbMonth->toPlainText().toStdString(), iso,
                                         GetProgramText(texts_, kTextIsoTitle, language_));
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(ToQString(text));
  cmdClose->setFocus();
}

void frmDisplayMonth::cmdClose_Click() { close(); }

void frmDisplayMonth::HideWindow() {
  if (iso_dates_shown_) SetIsoPanel(IsoPanel::Hidden);
  hide();
  emit closed();
}

// Every activation starts afresh: the month names of the current language, a valid pair of
// options, the ISO panel hidden, the grid redrawn.
void frmDisplayMonth::Form_Activate() {
  SetTitle();
  FillMonthList();
  {
    const QSignalBlocker block_week(optMonday);
    const QSignalBlocker block_calendar(optCommonEra);
    if (!optSunday->isChecked()) optMonday->setChecked(true);
    if (!optJulian->isChecked()) optCommonEra->setChecked(true);
  }
  SetIsoPanel(IsoPanel::Hidden);
  UpdateIsoControls();
  // Quietly: an unusable year was reported when it was drawn, and a message box here would
  // reactivate the window again and again.
  Draw(Redraw::Quiet);
}

// ---- Events -----------------------------------------------------------------------------------

void frmDisplayMonth::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  if (!isActiveWindow()) {
    // Losing the activation to our own message box is no real change of window. The main
    // window posts the boxes it is given (they open after the event that asked for them has
    // returned), so the box is recognised as the modal window over this one as well.
    const QWidget* modal = QApplication::activeModalWidget();
    if (in_message_ || (modal != nullptr && modal->parentWidget() == this)) skip_next_activation_ = true;
    return;
  }
  if (skip_next_activation_) {
    skip_next_activation_ = false;
    return;
  }
  Form_Activate();
}

void frmDisplayMonth::closeEvent(QCloseEvent* event) {
  // The window is only hidden; it keeps its year, month and options for the next opening.
  event->accept();
  HideWindow();
}

bool frmDisplayMonth::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txbYear && event->type() == QEvent::KeyRelease) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat()) txbYear_KeyUp();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qv
