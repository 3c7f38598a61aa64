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
    month_window_->SetMondayFirst(month_monday_first_);
    month_window_->SetJulianCalendar(month_julian_);
    month_window_->SetWorkCalendar(work_calendar_);
    month_window_->ApplyLanguageTexts(current_language_);
    // Closing the month window gives the focus back to where the rule puts it.
    connect(month_window_, &frmDisplayMonth::closed, this, [this] {
      activateWindow();
      SetTheFocus();
    });
  }
  return *month_window_;
}

// The stored choices go to the month window once it exists; until then they wait here.
void frmMain::ApplyMonthChoices() {
  if (month_window_ == nullptr) return;
  month_window_->SetMondayFirst(month_monday_first_);
  month_window_->SetJulianCalendar(month_julian_);
}

bool frmMain::MonthMondayFirst() const { return month_window_ != nullptr ? month_window_->MondayFirst() : month_monday_first_; }

bool frmMain::MonthJulian() const { return month_window_ != nullptr ? month_window_->JulianCalendar() : month_julian_; }

void frmMain::MonthWindowLanguage() {
  if (month_window_ != nullptr) month_window_->ApplyLanguageTexts(current_language_);
}

void frmMain::HelpWindowLanguage() {
  if (help_window_ != nullptr) help_window_->SetLanguage(current_language_);
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
  }
  // The help window lies over the lower part of this window: its top edge is measured from a
  // line inside the frame, here the row of the first date under the today panel.
  const int frame_top = geometry().top() - frameGeometry().top();
  help_window_->ShowHelp(current_language_, frame_top + Frame3->mapTo(this, QPoint(0, 0)).y());
}

}  // namespace qv
