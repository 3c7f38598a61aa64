// The main window's compute flow and what it does to single boxes: key filters, Compute,
// calendar changes, "Second -> First", the day stepper, Today, the focus rule, the today panel
// and the output window.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>
#include <utility>

#include "lang/general_texts.h"
#include "platform/named_widget.h"
#include "platform/qt_text.h"
#include "platform/twips.h"
#include "settings/settings_file.h"
#include "text/date_readers.h"
#include "text/string_utils.h"
#include "ui/main/frm_clear_one_text_box.h"
#include "ui/main/frm_large_display.h"
#include "ui/main/frm_main.h"
#include "ui/main/window_widgets.h"

namespace qv {
namespace {

std::string ToUtf8(const QString& text) { return text.toStdString(); }

// Where the clear-one-box dialog opens: 50 twips right of the input frame's left edge and 2850
// twips below the window's top, over the three input boxes.
constexpr int kClearDialogLeftTwips = 50;
constexpr int kClearDialogTopTwips = 2850;

// The filters' key code of a key press: the character for a printable ASCII key, the control
// codes for Backspace and the clipboard keys; -1 for a key that is not typing (arrows, Home,
// Delete, function keys), which the box handles itself; 0 for any other character.
int16_t FilterKeyCode(const QKeyEvent* event) {
  if (event->key() == Qt::Key_Backspace) return kKeyBackspace;
  if (event->matches(QKeySequence::Copy)) return kKeyCopy;
  if (event->matches(QKeySequence::Paste)) return kKeyPaste;
  if (event->matches(QKeySequence::Cut)) return kKeyCut;
  const QString text = event->text();
  if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return -1;
  if (text.size() != 1) return 0;
  const char16_t c = text.at(0).unicode();
  if (c < 32 || c == 127) return -1;
  return c < 127 ? static_cast<int16_t>(c) : int16_t{0};
}

}  // namespace

// ---- Keys ------------------------------------------------------------------------------------

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    for (QLineEdit* box : {txbFirstDate, txbDateDiff, txbSecondDate}) {
      if (watched == box) return FilterBoxKey(box, static_cast<QKeyEvent*>(event));
    }
  }
  return QWidget::eventFilter(watched, event);
}

// True when the key is used up here and must not reach the box.
bool frmMain::FilterBoxKey(QLineEdit* box, QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    PostCompute();  // Enter computes, exactly as a click on Compute, and never types
    return true;
  }
  const bool date_box = box != txbDateDiff;
  if (date_box && event->modifiers() == Qt::NoModifier &&
      (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
    // The arrow keys step the date as the spin arrows beside the box do.
    if (!TrimBlanks(ToUtf8(box->text())).empty()) {
      StepBoxDate(box == txbFirstDate ? DateBox::First : DateBox::Second, event->key() == Qt::Key_Up ? 1 : -1);
    }
    return true;
  }
  const int16_t key = FilterKeyCode(event);
  if (key < 0) return false;
  const auto length = static_cast<std::size_t>(box->text().size());
  const CalendarCode calendar = date_box ? GetCal(box == txbFirstDate ? 1 : 2) : cal::CE;
  const bool named = IsAddedCalendar(calendar);
  const std::size_t limit = named ? MaxNamedInputLength : MaxInputLength;
  const DateTextOptions options = TextOptions();
  bool allowed = false;
  if (date_box) {
    allowed = IsDateKeyAllowed(key, length, limit, options.date_separator, calendar == cal::ISO, named);
  } else {
    allowed = IsNumberKeyAllowed(key, length, limit, options.thousands_separator);
  }
  if (allowed && key == kKeyPaste) {
    PasteIntoBox(box);
    return true;
  }
  return !allowed;
}

// A date copied from a terminal or a web page often brings a line break or blanks around it;
// they go, and the date lands in the box as if it had been typed. A paste must still fit the
// box, and text of several lines is refused.
void frmMain::PasteIntoBox(QLineEdit* box) {
  const QString pasted = QApplication::clipboard()->text().trimmed();
  const qsizetype kept = box->text().size() - box->selectedText().size();
  const bool named = box != txbDateDiff && IsAddedCalendar(GetCal(box == txbFirstDate ? 1 : 2));
  const auto limit = static_cast<qsizetype>(named ? MaxNamedInputLength : MaxInputLength);
  if (pasted.isEmpty() || kept + pasted.size() > limit || pasted.contains(QLatin1Char('\n')) ||
      pasted.contains(QLatin1Char('\r'))) {
    return;
  }
  box->insert(pasted);
}

// ---- Compute ---------------------------------------------------------------------------------

// Enter in a box computes once the key event has returned: the clear-one-box dialog it may ask
// must not open inside the key filter. Repeats of the key before then compute once.
void frmMain::PostCompute() {
  if (compute_posted_) return;
  compute_posted_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        compute_posted_ = false;
        cmdCompute_Click();
      },
      Qt::QueuedConnection);
}

// A request's options are made from the same choices the settings file is made from, with the
// working days in force.
RequestOptions frmMain::ReadComputeOptions() const {
  RequestOptions options = RequestOptionsFrom(ReadChoices());
  options.work_calendar = work_calendar_;
  return options;
}

DateTextOptions frmMain::TextOptions() const { return TextOptionsFrom(ReadChoices()); }

void frmMain::cmdCompute_Click() {
  const RequestOptions options = ReadComputeOptions();
  BoxTexts boxes{ToUtf8(txbFirstDate->text()), ToUtf8(txbDateDiff->text()), ToUtf8(txbSecondDate->text())};
  const Outcome* outcome = &engine_.Compute(boxes.first, boxes.difference, boxes.second, options);
  if (outcome->step == RequestStep::AskWhichBoxToClear) {
    ApplyOutcome(*outcome);  // the trimmed texts
    if (!AskWhichBoxToClear()) {
      SetTheFocus();
      return;
    }
    boxes = BoxTexts{ToUtf8(txbFirstDate->text()), ToUtf8(txbDateDiff->text()), ToUtf8(txbSecondDate->text())};
    outcome = &engine_.Compute(boxes.first, boxes.difference, boxes.second, options);
  }
  ApplyOutcome(*outcome);
  SetTheFocus();
}

// The window's part of a request: the rewritten boxes, the appended output, the message.
void frmMain::ApplyOutcome(const Outcome& outcome) {
  const std::pair<QLineEdit*, const std::string_view*> boxes[] = {
      {txbFirstDate, &outcome.boxes.first}, {txbDateDiff, &outcome.boxes.difference}, {txbSecondDate, &outcome.boxes.second}};
  for (const auto& [box, text] : boxes) {
    const QString wanted = ToQString(*text);
    if (box->text() != wanted) box->setText(wanted);
  }
  if (!outcome.output.empty()) AppendOutput(outcome.output);
  if (outcome.switch_to_days) optDays->setChecked(true);
  if (outcome.message && outcome.step == RequestStep::Computed) ShowMessage(*outcome.message);
}

void frmMain::ShowMessage(const Message& message) {
  posted_messages_.Show(this, MessageRequest{ToQString(message.title), ToQString(message.text), MessageIcon::None,
                                             MessageButtons::Ok, MessageAnswer::Ok});
}

bool frmMain::AskWhichBoxToClear() {
  // The dialog lies over the input area, at the same place however the window was moved.
  const QPoint top_left = frameGeometry().topLeft() +
                          QPoint(Frame3->mapTo(this, QPoint(0, 0)).x() + TwipsToPixels(kClearDialogLeftTwips, this),
                                 TwipsToPixels(kClearDialogTopTwips, this));
  const ClearChoice choice = ClearDialog().Ask(top_left);
  activateWindow();  // the focus comes back to this window, not to where the dialog was
  switch (choice) {
    case ClearChoice::FirstDate:
      txbFirstDate->clear();
      return true;
    case ClearChoice::DateDifference:
      txbDateDiff->clear();
      return true;
    case ClearChoice::SecondDate:
      txbSecondDate->clear();
      return true;
    case ClearChoice::Cancel:
      break;
  }
  return false;
}

CalendarCode frmMain::GetCal(int firstOrSecond) const {
  const QButtonGroup* group = firstOrSecond == 1 ? first_calendar_group_ : second_calendar_group_;
  const int id = group->checkedId();
  if (id == kOtherCalendarId) {
    const QComboBox* list = cboOtherCalendar[firstOrSecond == 1 ? 0 : 1];
    const int code = list->currentData().toInt();
    return IsAddedCalendar(code) ? static_cast<CalendarCode>(code) : cal::HEB;
  }
  return id < 0 ? cal::CE : static_cast<CalendarCode>(id);
}

// Each date format option's id is the format it stands for; one is always selected.
DateFormat frmMain::UsersDateFormat() const {
  const int id = date_format_group_->checkedId();
  return id == kFormatDMY || id == kFormatMDY ? static_cast<DateFormat>(id) : kFormatYMD;
}

// ---- The focus rule --------------------------------------------------------------------------

void frmMain::SetTheFocus() {
  if (!blnStartUpCompleted || !isEnabled()) return;
  const int filled = !txbFirstDate->text().isEmpty() + !txbDateDiff->text().isEmpty() + !txbSecondDate->text().isEmpty();
  if (filled >= 2) {
    cmdCompute->setFocus();
  } else if (txbFirstDate->text().isEmpty()) {
    txbFirstDate->setFocus();
  } else {
    txbDateDiff->setFocus();
  }
}

void frmMain::FocusDateBox(DateBox box) {
  QLineEdit* target = box == DateBox::First ? txbFirstDate : txbSecondDate;
  target->setFocus();
  target->setCursorPosition(static_cast<int>(target->text().size()));
}

void frmMain::ClearInputBoxes() {
  txbFirstDate->clear();
  txbSecondDate->clear();
  txbDateDiff->clear();
  if (blnStartUpCompleted) txbFirstDate->setFocus();
}

// ---- Calendar change -------------------------------------------------------------------------

void frmMain::FirstCalendarChanged(CalendarCode code) { CalendarChanged(DateBox::First, code); }
void frmMain::SecondCalendarChanged(CalendarCode code) { CalendarChanged(DateBox::Second, code); }

void frmMain::CalendarChanged(DateBox box, CalendarCode code) {
  QLineEdit* edit = box == DateBox::First ? txbFirstDate : txbSecondDate;
  CalendarCode& shown = box == DateBox::First ? intFirstBoxCal : intSecondBoxCal;
  edit->setText(ToQString(std::string(TrimBlanks(ToUtf8(edit->text())))));
  if (edit->text().isEmpty() || !blnStartUpCompleted) {
    shown = code;
    return;
  }
  if (blnRestoringCal) return;
  UpdateTodayPanel();
  const BoxConversion conversion =
      ConvertBoxDate(ToUtf8(edit->text()), shown, code, box, TextOptions(), texts_, options_.language);
  if (conversion.converted) {
    edit->setText(ToQString(conversion.text));
    shown = code;
    txbDateDiff->setCursorPosition(static_cast<int>(txbDateDiff->text().size()));
    txbDateDiff->setFocus();
    return;
  }
  if (!conversion.message && shown == code) return;  // nothing to convert
  // Put the option of the previous calendar back, then say why when there is a reason to.
  blnRestoringCal = true;
  SelectCalendar(box, shown);
  if (conversion.message) ShowMessage(*conversion.message);
  blnRestoringCal = false;
}

// Selecting by program: the box's text is left as it is and the option records its calendar.
void frmMain::SelectCalendar(DateBox box, CalendarCode code) {
  QButtonGroup* group = box == DateBox::First ? first_calendar_group_ : second_calendar_group_;
  const std::size_t index = box == DateBox::First ? 0 : 1;
  QAbstractButton* option = IsAddedCalendar(code) ? optOtherCalendar[index] : group->button(code);
  if (option == nullptr) return;
  const bool was_selecting = std::exchange(selecting_calendar_, true);
  if (IsAddedCalendar(code)) {
    QComboBox* list = cboOtherCalendar[index];
    list->setCurrentIndex(list->findData(QVariant::fromValue<int>(code)));
  }
  option->setChecked(true);
  selecting_calendar_ = was_selecting;
  (box == DateBox::First ? intFirstBoxCal : intSecondBoxCal) = code;
}

// ---- Second -> First, stepper, Today ---------------------------------------------------------

void frmMain::cmdMoveSecondDateToFirst_Click() {
  if (txbSecondDate->text().isEmpty()) {
    SetTheFocus();
    return;
  }
  const BoxEdit edit = MoveSecondDateToFirst(ToUtf8(txbSecondDate->text()), GetCal(2), GetCal(1), TextOptions(),
                                             options_.language);
  if (edit.replace_text) {
    txbFirstDate->setText(ToQString(edit.text));
    txbSecondDate->clear();
    txbDateDiff->setCursorPosition(static_cast<int>(txbDateDiff->text().size()));
    txbDateDiff->setFocus();
    return;
  }
  if (edit.message) ShowMessage(*edit.message);
  txbSecondDate->setCursorPosition(static_cast<int>(txbSecondDate->text().size()));
  txbSecondDate->setFocus();
}

// The stepper is back at rest already (DayStepper); `days` is +1 for its upper arrow, one day
// later as the Up key in the box is.
void frmMain::VScroll_Change(int index, int days) {
  QLineEdit* box = index == 0 ? txbFirstDate : txbSecondDate;
  if (box->text().isEmpty()) {
    SetTheFocus();
    return;
  }
  // A step that failed must not repeat while the arrow is held: its box waits for the release.
  if (!StepBoxDate(index == 0 ? DateBox::First : DateBox::Second, days)) VScroll[static_cast<std::size_t>(index)]->Rest();
}

// False when the step failed (an unreadable date, a result out of range).
bool frmMain::StepBoxDate(DateBox box, int64_t days) {
  QLineEdit* edit = box == DateBox::First ? txbFirstDate : txbSecondDate;
  const int number = box == DateBox::First ? 1 : 2;
  bool stepped = true;
  if (!TrimBlanks(ToUtf8(edit->text())).empty()) {
    const BoxEdit step = ShiftBoxDate(box, ToUtf8(edit->text()), GetCal(number), days, TextOptions(), options_.language);
    if (!step.output.empty()) AppendOutput(step.output);
    if (step.message) ShowMessage(*step.message);
    if (step.replace_text && !step.text.empty()) edit->setText(ToQString(step.text));
    stepped = !step.message.has_value();
  }
  txbDateDiff->clear();
  FocusDateBox(box);
  return stepped;
}

void frmMain::cmdToday_Click(int index) {
  const int number = index == 0 ? 1 : 2;
  QLineEdit* box = number == 1 ? txbFirstDate : txbSecondDate;
  box->setText(ToQString(TodayBoxText(GetCal(number), ReadComputeOptions())));
  SetTheFocus();
}

// ---- Today panel -----------------------------------------------------------------------------

void frmMain::UpdateTodayPanel() {
  if (!blnStartUpCompleted) return;
  const TodayPanelTexts panel = TodayPanel(options_.today_calendar, options_.language, TextOptions());
  const auto set = [](QLabel* label, const std::string& text) {
    const QString wanted = ToQString(text);
    if (label->text() != wanted) {
      label->setText(wanted);
      label->setAccessibleName(wanted);
    }
  };
  set(lblTodaysDate[0], panel.today_phrase);
  set(lblTodaysDate[1], panel.today_date);
  set(lblWeekFromToday[0], panel.week_phrase);
  set(lblWeekFromToday[1], panel.week_date);
}

void frmMain::TodayLabelReleased(Qt::MouseButton button) {
  options_.today_calendar = button == Qt::RightButton
                                ? PreviousTodayCalendar(options_.today_calendar, more_today_calendars_)
                                : NextTodayCalendar(options_.today_calendar, more_today_calendars_);
  UpdateTodayPanel();
}

// ---- Output window ---------------------------------------------------------------------------

// Adds at the end without touching the text already there, so that appending stays as fast
// with a hundred thousand lines as with none; the view follows to the last line.
void frmMain::AppendOutput(std::string_view text) {
  cleared_output_.reset();  // a new result: what Clear removed stays removed
  std::string added(text);
  ToLineFeeds(added);
  txbOutput->AppendUtf8(added);
  ShowOutputEnd();
}

// The caret goes to the end, which shows the last line written.
void frmMain::ShowOutputEnd() { txbOutput->MoveToEnd(); }

// The text as it stands, byte for byte (no-break spaces included), with CR LF line ends: what
// the settings file keeps must come back exactly.
std::string frmMain::OutputText() const { return WithCrLf(std::string_view(txbOutput->Utf8())); }

void frmMain::SetOutputText(std::string text) {
  cleared_output_.reset();
  ToLineFeeds(text);
  txbOutput->SetUtf8(std::move(text));
  ShowOutputEnd();
}

// The button keeps one width for both captions in both languages (HoldLayoutStill), so the
// controls beside it stay where they are when the caption changes.
void frmMain::SetCopyButton() {
  cmdCopyOutput->setText(Text(txbOutput->HasSelection() ? GeneralText::CopySelectedTextToClipboard
                                                        : GeneralText::CopyToClipboard));
  cmdCopyOutput->setAccessibleName(cmdCopyOutput->text());
}

void frmMain::cmdCopyOutput_Click() {
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  // The clipboard takes the platform's line ends: line feeds on Linux, as the box keeps them.
  clipboard->setText(txbOutput->HasSelection() ? txbOutput->SelectedText() : txbOutput->Text());
  txbOutput->ClearSelection();
  SetCopyButton();
  SetTheFocus();
}

// The text removed is kept (moved, not copied), so that a slip of the mouse can be taken back
// with Ctrl+Z in the output window until the next result is added. A Clear of an empty output
// keeps what the Clear before it removed.
void frmMain::cmdClearOutputWindow_Click() {
  std::string removed = txbOutput->TakeUtf8();
  if (!removed.empty()) cleared_output_ = std::move(removed);
  SetCopyButton();
  SetTheFocus();
}

void frmMain::UndoClearOutput() {
  if (!cleared_output_ || !txbOutput->Utf8().empty()) return;
  std::string text = std::move(*cleared_output_);
  cleared_output_.reset();
  txbOutput->SetUtf8(std::move(text));
  ShowOutputEnd();
  SetCopyButton();
}

void frmMain::cmdEnlarge_Click() {
  // Leading and trailing blanks go from the output itself; line breaks stay.
  const std::string_view text = txbOutput->Utf8();
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.size() != text.size()) SetOutputText(std::string(trimmed));
  if (trimmed.empty()) {
    posted_messages_.Show(this, MessageRequest{Text(GeneralText::OutputWindow), Text(GeneralText::OutputWindowIsEmpty),
                                               MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
    SetTheFocus();
    return;
  }
  if (large_display_ == nullptr) large_display_ = new frmLargeDisplay(texts_, posted_messages_, this);
  large_display_->ShowOutput(OutputText(), frameGeometry(), cmdEnlarge->text(), windowIcon(), options_.language);
}

}  // namespace qv
