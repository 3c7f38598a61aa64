#pragma once
// The month calendar window: one month of the Common Era or the Julian calendar as a text grid
// of weeks, optionally with the ISO 8601 week date of every row, which it also copies to the
// clipboard. A separate top-level window that stays open beside the main window until closed;
// the grid and every text in it come from compute/month_grid.h.
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "compute/month_grid.h"
#include "lang/program_text.h"
#include "platform/message_service.h"
#include "text/date_dispatch.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace qv {

class WorkCalendar;

class frmDisplayMonth : public QWidget {
  Q_OBJECT

 public:
  // Loads the window without showing it. `mainWindow` owns it (it is destroyed with the main
  // window), gives it its icon and is the window it is placed beside.
  frmDisplayMonth(const ProgramTextStore& texts, MessageService& messages, QWidget* mainWindow);

  // The month window's part of the language switch: re-captions every control at once. The
  // month list and the grid follow at the next activation.
  void ApplyLanguageTexts(Language language);

  // The default settings: Sunday first, Common Era.
  void SetDefaultChoices();
  // The two choices the settings file keeps: the first day of the week and the calendar.
  WeekStart ChosenWeekStart() const;
  void SetWeekStart(WeekStart start);
  MonthCalendar ChosenCalendar() const;
  void SetCalendar(MonthCalendar calendar);
  // "Also show:": an added calendar whose day of the month each day shows beneath it, or
  // kNoOtherCalendar (the default) for the grid as described. Kept in our own file.
  CalendarCode ChosenAlsoShow() const;
  void SetAlsoShow(CalendarCode code);

  // The main window's Display month button: opens at the month of the first date box (its text
  // already trimmed, its calendar and the reading options) or, when that holds no valid CE, JC
  // or JDN date, at today's month. Placed beside the main window when not yet visible.
  void OpenAtFirstDate(std::string_view firstDateText, CalendarCode firstCalendar,
                       const DateTextOptions& options);
  // Opens at a given month (year within ±kMonthGridYearLimit, month 1 … 12).
  void OpenAtMonth(YearMonth month);

  // Draws the grid for the year box and the month list (and the ISO panel when shown); does
  // nothing while the window is hidden. A year box without a usable year shows a message.
  void DisplayMonth();

  // The working days in force (null: none). With a calendar the grid marks the month's days
  // off and holidays, and lists the holidays below the grid; without one the window is as
  // described. The copied text is the same either way.
  void SetWorkCalendar(std::shared_ptr<const WorkCalendar> calendar);

  // Window state, for the main window and tests.
  bool IsoDatesShown() const { return iso_dates_shown_; }
  int16_t RowCount() const { return row_count_; }
  int32_t FirstCellDay() const { return first_cell_day_; }

 signals:
  // The window was closed (Close button or title bar) and is now hidden; the main window puts
  // the focus into its first-date box.
  void closed();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Redraw { Reporting, Quiet };

  void CreateControls();
  void WireControls();
  QWidget* CreateChoiceRow();
  QWidget* CreateButtonColumn();

  // Handlers, named after their controls.
  void cmdDisplay_Click();
  void cboMonths_Click();
  void txbYear_KeyUp();
  void optCommonEra_Click();
  void optJulian_Click();
  void optSunday_Click();
  void optMonday_Click();
  void chkWithYear_Click();
  void cboAlsoShow_Click();
  void cmdShowHideISO_Click();
  void cmdDisplayNextMonth_Click(int index);
  // A step of the month shown, by a month (the buttons, Page Up and Page Down) or a year (with
  // Ctrl), as the buttons step it: a year box without a usable year is reported.
  enum class StepSize { Month, Year };
  void StepShownMonth(MonthStep direction, StepSize size);
  void cmdCopyToClipboard_Click();
  void cmdClose_Click();
  void Form_Activate();

  void Draw(Redraw redraw);
  void ShowIsoWeekDates();
  void UpdateIsoControls();
  enum class IsoPanel { Hidden, Shown };
  void SetIsoPanel(IsoPanel panel);
  void FillMonthList();
  void SelectMonth(int16_t month);
  void HideWindow();
  void ShowYearMessage();
  void SetTitle();
  void FitGridBox(int lines);
  void DimOtherRows();
  void DimNeighbourDays();
  MonthGridRequest ChosenRequest(int32_t year) const;
  QString NumberedText(int16_t number) const;
  // The working days' marks and holiday list (frm_display_month_work_days.cpp).
  QWidget* CreateHolidayPanel();
  void MarkWorkDays();

  const ProgramTextStore& texts_;
  MessageService& messages_;
  QWidget* main_window_;
  Language language_ = Language::English;

  bool iso_dates_shown_ = false;                 // IsoDatesShown
  int16_t row_count_ = 0;                        // RowCount
  int32_t first_cell_day_ = 0;                   // FirstCellDay
  int16_t days_before_ = 0;                      // cells of the months before and after the
  int16_t days_after_ = 0;                       // grid's own in its first and last row
  std::optional<MonthGridRequest> drawn_;        // the month of the grid on show
  std::string other_line_;                       // "Hebrew: Adar II – Nisan 5784", or empty
  int grid_row_step_ = 1;                        // text lines per week: 2 with another calendar
  bool in_message_ = false;                      // one of our message boxes is open
  bool skip_next_activation_ = false;            // reactivation after our own message box

  QLabel* lblYear = nullptr;
  QLineEdit* txbYear = nullptr;
  QLabel* lblMonth = nullptr;
  QComboBox* cboMonths = nullptr;
  QPushButton* cmdDisplay = nullptr;
  QLabel* lblCalendar = nullptr;
  QRadioButton* optCommonEra = nullptr;
  QRadioButton* optJulian = nullptr;
  QButtonGroup* calendar_group_ = nullptr;
  QLabel* lblFirstDayOfWeek = nullptr;
  QRadioButton* optSunday = nullptr;
  QRadioButton* optMonday = nullptr;
  QButtonGroup* week_start_group_ = nullptr;
  QLabel* lblAlsoShow = nullptr;
  QComboBox* cboAlsoShow = nullptr;
  QLabel* lblAlsoShowMonths = nullptr;
  QPlainTextEdit* txbMonth = nullptr;
  QPlainTextEdit* txbISODates = nullptr;
  QCheckBox* chkWithYear = nullptr;
  QPushButton* cmdShowHideISO = nullptr;
  QPushButton* cmdDisplayNextMonth[2] = {nullptr, nullptr};  // 0 next, 1 previous
  QPushButton* cmdCopyToClipboard = nullptr;
  QPushButton* cmdClose = nullptr;

  std::shared_ptr<const WorkCalendar> work_calendar_;
  QWidget* holiday_panel_ = nullptr;
  QLabel* lblHolidays = nullptr;
  QLabel* lblHolidayLegend = nullptr;
};

}  // namespace qv
