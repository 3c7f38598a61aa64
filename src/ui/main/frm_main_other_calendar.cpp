// The main window's added calendars: the "Other calendar:" option and its drop-down in each
// "This is a" group, and how a box left in an added calendar is kept between runs (qrv.usr holds
// the described codes alone: it gets the date in CE, our own file the calendar and the text).
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <utility>

#include "compute/box_operations.h"
#include "lang/added_calendar_texts.h"
#include "lang/general_texts.h"
#include "platform/named_widget.h"
#include "settings/atomic_file.h"
#include "platform/qt_text.h"
#include "text/date_readers.h"
#include "calendar/added_calendars.h"
#include "text/string_utils.h"
#include "ui/main/frm_help.h"
#include "ui/main/frm_main.h"
#include "ui/main/frm_more_calendars.h"
#include "ui/main/window_widgets.h"
#include "ui/month/frm_display_month.h"

namespace qv {

QLayout* frmMain::CreateOtherCalendarChoice(DateBox box, QButtonGroup* group) {
  const std::size_t i = box == DateBox::First ? 0 : 1;
  optOtherCalendar[i] = Named(new QRadioButton, i == 0 ? "optFirstDateIsOther" : "optSecondDateIsOther");
  cboOtherCalendar[i] = Named(new LabelledComboBox, i == 0 ? "cboFirstDateOther" : "cboSecondDateOther");
  for (const CalendarCode code : AvailableAddedCalendars()) {
    cboOtherCalendar[i]->addItem(QString(), QVariant::fromValue<int>(code));
  }
  group->addButton(optOtherCalendar[i], kOtherCalendarId);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(optOtherCalendar[i]);
  row->addWidget(cboOtherCalendar[i]);
  row->addStretch(1);
  return row;
}

// Changing the drop-down while its option is selected is a change of the box's calendar, made
// once however it was made (mouse, keys, a screen reader); while another option is selected it
// only prepares the choice. The window's own selections (SelectCalendar) pass unseen.
void frmMain::WireOtherCalendars() {
  for (std::size_t i = 0; i < 2; ++i) {
    const DateBox box = i == 0 ? DateBox::First : DateBox::Second;
    connect(cboOtherCalendar[i], &QComboBox::currentIndexChanged, this,
            [this, box](int) { OtherCalendarListChanged(box); });
  }
}

void frmMain::OtherCalendarListChanged(DateBox box) {
  const std::size_t i = box == DateBox::First ? 0 : 1;
  if (selecting_calendar_ || !optOtherCalendar[i]->isChecked()) return;
  CalendarChanged(box, GetCal(box == DateBox::First ? 1 : 2));
}

void frmMain::OtherCalendarLanguage() {
  const QString name = ToQString(AddedCalendarTextOf(AddedCalendarText::OtherCalendarName, options_.language));
  for (std::size_t i = 0; i < 2; ++i) {
    optOtherCalendar[i]->setText(ToQString(AddedCalendarTextOf(AddedCalendarText::OtherCalendar, options_.language)));
    QComboBox* list = cboOtherCalendar[i];
    for (int item = 0; item < list->count(); ++item) {
      list->setItemText(item, ToQString(AddedCalendarName(static_cast<CalendarCode>(list->itemData(item).toInt()),
                                                          options_.language)));
    }
    const QString box = Text(i == 0 ? GeneralText::FirstDate : GeneralText::SecondDate);
    const QString accessible = name + QStringLiteral(" (") + box + QLatin1Char(')');
    optOtherCalendar[i]->setAccessibleName(accessible);
    list->setAccessibleName(accessible);
    // Named by the label (LabelledComboBox), valued by the calendar shown, and described by
    // the label too for readers that announce the item first: "Other calendar (First date),
    // Hebrew".
    list->setAccessibleDescription(accessible);
  }
}

// qrv.usr keeps what its reader takes: a box in an added calendar goes there as a CE box with
// its date written in CE (empty when the text cannot be read as a date).
void frmMain::AddedBoxesAsCe(SettingsChoices& choices) const {
  const std::pair<CalendarCode*, std::string*> boxes[] = {{&choices.first_calendar, &choices.first_date},
                                                           {&choices.second_calendar, &choices.second_date}};
  for (std::size_t i = 0; i < 2; ++i) {
    auto [calendar, text] = boxes[i];
    if (!IsAddedCalendar(*calendar)) continue;
    const std::string typed(TrimBlanks(*text));
    std::string written;
    if (!typed.empty()) {
      const BoxConversion conversion = ConvertBoxDate(typed, *calendar, cal::CE, i == 0 ? DateBox::First : DateBox::Second,
                                                      TextOptions(), texts_, options_.language);
      if (conversion.converted) written = conversion.text;
    }
    *calendar = cal::CE;
    *text = written;
  }
}

// Everything our own file keeps: the working days and the boxes left in an added calendar (their
// texts only when the output is kept, as qrv.usr keeps the box texts).
WorkDaysSettings frmMain::OwnSettings() const {
  WorkDaysSettings settings = work_days_.Settings();
  const QLineEdit* edits[] = {txbFirstDate, txbSecondDate};
  for (std::size_t i = 0; i < 2; ++i) {
    const CalendarCode code = GetCal(static_cast<int>(i) + 1);
    if (!IsAddedCalendar(code)) continue;
    settings.boxes[i].calendar = code;
    if (chkSaveOutput->isChecked()) settings.boxes[i].text = edits[i]->text().toStdString();
  }
  settings.more_today_calendars = more_today_calendars_;
  if (IsAddedCalendar(options_.today_calendar)) settings.today_calendar = options_.today_calendar;
  const CalendarCode also = month_window_ != nullptr ? month_window_->ChosenAlsoShow() : month_also_show_;
  if (IsAddedCalendar(also)) settings.month_also_show = also;
  settings.holiday_folder = holiday_folder_;
  return settings;
}

// Start-up, after qrv.usr: the added calendars of the today panel's cycle, and the panel at the
// one it was left at, when qrv.usr still says CE for it as this program wrote it.
void frmMain::RestoreOwnCalendarChoices(const WorkDaysSettings& settings) {
  more_today_calendars_ = settings.more_today_calendars;
  const CalendarCode left_at = settings.today_calendar;
  const bool in_cycle = std::find(more_today_calendars_.begin(), more_today_calendars_.end(), left_at) !=
                        more_today_calendars_.end();
  if (in_cycle && options_.today_calendar == cal::CE) options_.today_calendar = left_at;
  month_also_show_ = settings.month_also_show;
  ApplyMonthChoices();
  UpdateTodayPanel();
}

// The help window's "More calendars…": the dialog over the help window; OK applies the choice.
void frmMain::cmdMoreCalendars_Click() {
  if (more_calendars_dialog_ == nullptr) {
    more_calendars_dialog_ = new frmMoreCalendars(help_window_ != nullptr ? static_cast<QWidget*>(help_window_) : this);
    connect(more_calendars_dialog_, &QDialog::accepted, this,
            [this] { ApplyMoreTodayCalendars(more_calendars_dialog_->Chosen()); });
  }
  more_calendars_dialog_->Prepare(more_today_calendars_, options_.language);
  // Not exec(): the dialog is window-modal and the event that opened it returns at once.
  more_calendars_dialog_->open();
}

// A panel left at a calendar no longer chosen goes back to CE, the cycle's first.
void frmMain::ApplyMoreTodayCalendars(std::vector<CalendarCode> chosen) {
  more_today_calendars_ = std::move(chosen);
  if (IsAddedCalendar(options_.today_calendar) &&
      std::find(more_today_calendars_.begin(), more_today_calendars_.end(), options_.today_calendar) ==
          more_today_calendars_.end()) {
    options_.today_calendar = cal::CE;
  }
  UpdateTodayPanel();
}

// Start-up, after qrv.usr: a box our own file says was left in an added calendar is shown so,
// when qrv.usr still holds what this program wrote for it (a CE box with that date, or empty).
// A qrv.usr written since by another program wins.
void frmMain::RestoreAddedBoxes(const WorkDaysSettings& settings) {
  QLineEdit* edits[] = {txbFirstDate, txbSecondDate};
  for (std::size_t i = 0; i < 2; ++i) {
    const AddedBoxSetting& kept = settings.boxes[i];
    const DateBox box = i == 0 ? DateBox::First : DateBox::Second;
    if (!IsAddedCalendar(kept.calendar) || GetCal(static_cast<int>(i) + 1) != cal::CE) continue;
    if (kept.text.size() > MaxNamedInputLength) continue;
    const std::string stored = edits[i]->text().toStdString();
    std::string expected;
    if (!TrimBlanks(kept.text).empty()) {
      const BoxConversion conversion = ConvertBoxDate(std::string(TrimBlanks(kept.text)), kept.calendar, cal::CE, box,
                                                      TextOptions(), texts_, options_.language);
      if (conversion.converted) expected = conversion.text;
    }
    if (stored != expected) continue;
    SelectCalendar(box, kept.calendar);
    edits[i]->setText(QString::fromStdString(kept.text));
  }
}

void frmMain::WriteOwnSettings() {
  const std::string path = WorkDaysFilePath();
  if (path.empty()) return;
  const WorkDaysSettings settings = OwnSettings();
  if (settings == own_settings_kept_) return;
  if (IsDefault(settings)) {
    RemoveFileIfPresent(path);
  } else {
    WriteWorkDaysFile(path, settings);
  }
}

}  // namespace qv
