// The main window's working days: the "Working days…" button and its note beside "Count weekend
// days in days-between-dates", the dialog, and the file qrv-workdays.ini beside qrv.usr that keeps
// the choice between runs. With Monday to Friday and no holidays the note is empty, no file is
// kept and no work calendar goes into the requests.
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <cerrno>

#include "calendar/clock.h"
#include "lang/captions.h"
#include "lang/work_days_texts.h"
#include "platform/named_widget.h"
#include "platform/qt_text.h"
#include "settings/atomic_file.h"
#include "settings/settings_storage.h"
#include "settings/work_days_file.h"
#include "ui/main/frm_main.h"
#include "ui/main/frm_working_days.h"
#include "ui/month/frm_display_month.h"

namespace qv {

QWidget* frmMain::CreateWorkDaysRow() {
  work_days_row_ = Named(new QWidget(), "WorkDaysRow");
  cmdWorkingDays = Named(new QPushButton(work_days_row_), "cmdWorkingDays");
  lblWorkDaysNote = Named(new QLabel(work_days_row_), "lblWorkDaysNote");
  // A long note (a region and several files) wraps instead of widening the options column.
  lblWorkDaysNote->setWordWrap(true);
  auto* row = new QHBoxLayout(work_days_row_);
  // Under the check box's caption, as the second line of the hyphen caption is.
  row->setContentsMargins(QCheckBox().sizeHint().width(), 0, 0, 0);
  row->addWidget(cmdWorkingDays);
  row->addWidget(lblWorkDaysNote, 1);
  // Hidden in months mode with the check box it belongs to; its room is kept so nothing moves.
  QSizePolicy policy = work_days_row_->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  work_days_row_->setSizePolicy(policy);
  return work_days_row_;
}

void frmMain::WireWorkDays() {
  connect(cmdWorkingDays, &QPushButton::clicked, this, [this] { cmdWorkingDays_Click(); });
  // Working days are counted in days mode only, as the two check boxes are.
  connect(optDays, &QRadioButton::toggled, this, [this](bool on) { work_days_row_->setVisible(on); });
  // Counting weekend days sets the working days aside: the note says so while it does.
  connect(chkIncludeWeekends, &QCheckBox::toggled, this, [this] { UpdateWorkDaysNote(); });
}

std::string frmMain::WorkDaysFilePath() const {
  const std::size_t slash = settings_file_path_.rfind('/');
  if (slash == std::string::npos) return {};
  return settings_file_path_.substr(0, slash + 1) + std::string(kWorkDaysFileName);
}

// Start-up: the stored choice, or Monday to Friday without holidays when the file is missing,
// damaged or unreadable. Holiday files that cannot be read are left out and named in one
// message, posted so that it opens once the window is up.
void frmMain::ReadWorkDaysSettings() {
  // Left-over temporary files of saves that were killed before their rename, as for qrv.usr.
  RemoveStaleTemporaryFiles(WorkDaysFilePath(), kStaleTemporaryAge);
  const WorkDaysReadResult read = ReadWorkDaysFile(WorkDaysFilePath());
  WorkDaysLoad load = LoadWorkDays(read.settings);
  ApplyWorkDays(std::move(load.choice));
  holiday_folder_ = read.settings.holiday_folder;
  RestoreAddedBoxes(read.settings);
  RestoreOwnCalendarChoices(read.settings);
  own_settings_kept_ = OwnSettings();
  if (load.failures.empty()) return;
  QString text = ToQString(WorkDaysTextOf(WorkDaysText::FilesLeftOut, options_.language));
  for (const holidays::HolidayFileError& failure : load.failures) {
    text += QLatin1Char('\n') + ToQString(holidays::HolidayFileErrorText(failure, options_.language));
  }
  const MessageRequest request{.title = ToQString(WorkDaysTextOf(WorkDaysText::DialogTitle, options_.language)),
                               .text = text,
                               .icon = MessageIcon::Warning,
                               .buttons = MessageButtons::Ok,
                               .default_answer = MessageAnswer::Ok};
  posted_messages_.Show(this, request);
}

void frmMain::ApplyWorkDays(WorkDaysChoice choice) {
  work_days_ = std::move(choice);
  work_calendar_ = BuildWorkCalendar(work_days_);
  UpdateWorkDaysNote();
  if (month_window_ != nullptr) month_window_->SetWorkCalendar(work_calendar_);
}

void frmMain::cmdWorkingDays_Click() {
  if (working_days_dialog_ == nullptr) working_days_dialog_ = new frmWorkingDays(messages_, this);
  DateFields today;
  GetTodayDate(today);
  working_days_dialog_->SetHolidayFolder(holiday_folder_);
  const bool accepted = working_days_dialog_->Ask(work_days_, TextOptions(), options_.language, today.Year);
  // The folder last used is kept even when the dialog is cancelled: it is where the user's files are.
  holiday_folder_ = working_days_dialog_->HolidayFolder();
  if (accepted) {
    ApplyWorkDays(working_days_dialog_->Choice());
    // The user has just asked for working days: a ticked "Count weekend days" would set them
    // aside unseen, so it is unticked as a click would untick it (and so kept at Quit).
    if (work_days_.LeavesDaysOut() && chkIncludeWeekends->isChecked()) chkIncludeWeekends->click();
    // Kept at once, so that a choice survives however the program ends; the defaults are kept
    // as no file at all.
    const std::string path = WorkDaysFilePath();
    const WorkDaysSettings settings = OwnSettings();
    int error = 0;
    if (IsDefault(settings)) {
      if (!RemoveFileIfPresent(path)) error = errno;
    } else if (const FileWriteResult written = WriteWorkDaysFile(path, settings); !written) {
      error = written.error != 0 ? written.error : EIO;
    }
    // Without a data folder (path empty) nothing is kept, as qrv.usr is not, and nothing is said.
    if (error == 0) own_settings_kept_ = settings;
    if (error != 0 && !path.empty()) {
      const MessageRequest request{
          .title = ToQString(WorkDaysTextOf(WorkDaysText::DialogTitle, options_.language)),
          .text = ToQString(WorkDaysTextOf(WorkDaysText::NotKept, options_.language)) + QLatin1Char('\n') +
                  QString::fromStdString(path) + QLatin1Char('\n') + qt_error_string(error),
          .icon = MessageIcon::Warning,
          .buttons = MessageButtons::Ok,
          .default_answer = MessageAnswer::Ok};
      posted_messages_.Show(this, request);
    }
  }
  activateWindow();
  SetTheFocus();
}

// Reset: Monday to Friday, no holidays, and no file.
void frmMain::ResetWorkDays() {
  RemoveFileIfPresent(WorkDaysFilePath());
  ApplyWorkDays(WorkDaysChoice{});
  holiday_folder_.clear();
  more_today_calendars_.clear();
  month_also_show_ = cal::CE;
  ApplyMonthChoices();
  own_settings_kept_ = WorkDaysSettings{};
}

void frmMain::WorkDaysLanguage() {
  cmdWorkingDays->setText(ToQString(WorkDaysTextOf(WorkDaysText::WorkingDaysButton, options_.language)));
  cmdWorkingDays->setAccessibleName(
      ToQString(WithoutMnemonic(WorkDaysTextOf(WorkDaysText::WorkingDaysButton, options_.language))));
  cmdWorkingDays->setToolTip(ToQString(WorkDaysTextOf(WorkDaysText::AppliesWhen, options_.language)));
  UpdateWorkDaysNote();
}

void frmMain::UpdateWorkDaysNote() {
  const WeekendDays weekend_days = chkIncludeWeekends->isChecked() ? WeekendDays::Counted : WeekendDays::NotCounted;
  const QString note = ToQString(WorkDaysNoteText(work_days_.week.Mask(), work_days_.region, work_days_.files.size(),
                                                  options_.language, weekend_days));
  lblWorkDaysNote->setText(note);
  lblWorkDaysNote->setAccessibleName(ToQString(WorkDaysTextOf(WorkDaysText::NoteName, options_.language)) +
                                     QStringLiteral(": ") + note);
  lblWorkDaysNote->setToolTip(note.isEmpty() ? QString()
                                             : ToQString(WorkDaysTextOf(WorkDaysText::AppliesWhen, options_.language)));
}

}  // namespace qv
