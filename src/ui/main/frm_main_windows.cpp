// The main window's side of the month window, the help window and the two links.
#include <QLabel>
#include <QLineEdit>

#include "text/string_utils.h"
#include "ui/main/frm_main.h"
#include "ui/main/window_widgets.h"
#include "ui/month/frm_display_month.h"
#include "ui/main/frm_help.h"

namespace qv {

frmDisplayMonth& frmMain::MonthWindow() {
  if (month_window_ == nullptr) {
    month_window_ = new frmDisplayMonth(texts_, posted_messages_, this);
    ApplyMonthChoices();
    month_window_->SetWorkCalendar(work_calendar_);
    month_window_->ApplyLanguageTexts(options_.language);
    // Closing the month window gives the focus back to where the rule puts it.
    connect(month_window_, &frmDisplayMonth::closed, this, [this] {
      activateWindow();
      SetTheFocus();
    });
  }
  return *month_window_;
}

// The month window's two choices are the window's own once it exists; until then options_ keeps
// the applied ones.
void frmMain::ApplyMonthChoices() {
  if (month_window_ == nullptr) return;
  month_window_->SetWeekStart(options_.week_start);
  month_window_->SetCalendar(options_.month_calendar);
  month_window_->SetAlsoShow(IsAddedCalendar(month_also_show_) ? month_also_show_ : kNoOtherCalendar);
}

void frmMain::ReadMonthChoices(SettingsChoices& choices) const {
  if (month_window_ == nullptr) return;
  choices.week_start = month_window_->ChosenWeekStart();
  choices.month_calendar = month_window_->ChosenCalendar();
}

void frmMain::MonthWindowLanguage() {
  if (month_window_ != nullptr) month_window_->ApplyLanguageTexts(options_.language);
}

void frmMain::HelpWindowLanguage() {
  if (help_window_ != nullptr) help_window_->SetLanguage(options_.language);
}

void frmMain::HideOtherWindows() {
  if (month_window_ != nullptr) month_window_->hide();
  if (help_window_ != nullptr) help_window_->hide();
}

void frmMain::cmdDisplayMonth_Click() {
  const std::string first(TrimBlanks(txbFirstDate->text().toStdString()));
  txbFirstDate->setText(QString::fromStdString(first));
  MonthWindow().OpenAtFirstDate(first, GetCal(1), TextOptions());
}

void frmMain::cmdHelp_Click() {
  if (help_window_ == nullptr) {
    help_window_ = new frmHelp(this);
    connect(help_window_, &frmHelp::closed, this, [this] {
      activateWindow();
      SetTheFocus();
    });
    connect(help_window_, &frmHelp::moreCalendarsRequested, this, [this] { cmdMoreCalendars_Click(); });
  }
  // The help window lies over the lower part of this window: its top edge is measured from a
  // line inside the frame, here the row of the first date under the today panel.
  const int frame_top = geometry().top() - frameGeometry().top();
  help_window_->ShowHelp(options_.language, frame_top + Frame3->mapTo(this, QPoint(0, 0)).y());
}

}  // namespace qv
