// The month window's side of the working days: while a work calendar is in force, the day
// numbers of the month that are no working days are bold, its holidays bold, underlined and in a
// colour besides, and the month's holidays are listed below the grid with their names. Only the
// look of the grid changes: its text, and so the copied text, stays the described one.
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "calendar/civil.h"
#include "compute/work_calendar.h"
#include "lang/general_texts.h"
#include "holidays/regions.h"
#include "lang/holiday_texts.h"
#include "lang/work_days_texts.h"
#include "platform/named_widget.h"
#include "platform/qt_text.h"
#include "ui/month/frm_display_month.h"

namespace qv {
namespace {

// Red, as calendars mark holidays, dark on a light base and light on a dark one, so that it keeps
// a contrast of at least 4.5 : 1 with the base either way. The colour only repeats what the
// weight and the underline say, for readers who cannot tell it.
QColor HolidayColour(const QPalette& palette) {
  return palette.color(QPalette::Base).lightness() < 128 ? QColor(255, 138, 128) : QColor(178, 24, 24);
}

struct MonthCell {
  int position = 0;  // of the day's first digit in the grid's text
  int length = 0;    // its digits
  int day_of_month = 0;
  int32_t day_number = 0;
};

}  // namespace

QWidget* frmDisplayMonth::CreateHolidayPanel() {
  holiday_panel_ = Named(new QWidget(this), "HolidayPanel");
  lblHolidays = Named(new QLabel(holiday_panel_), "lblHolidays");
  lblHolidays->setFont(txbMonth->font());
  lblHolidays->setTextFormat(Qt::PlainText);
  lblHolidays->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  lblHolidayLegend = Named(new QLabel(holiday_panel_), "lblHolidayLegend");
  auto* layout = new QVBoxLayout(holiday_panel_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(lblHolidays);
  layout->addWidget(lblHolidayLegend);
  holiday_panel_->hide();
  return holiday_panel_;
}

void frmDisplayMonth::SetWorkCalendar(std::shared_ptr<const WorkCalendar> calendar) {
  work_calendar_ = std::move(calendar);
  if (!drawn_) return;
  // The same text again drops the marks of the calendar before.
  txbMonth->setPlainText(txbMonth->toPlainText());
  DimOtherRows();
  DimNeighbourDays();
  MarkWorkDays();
}

void frmDisplayMonth::MarkWorkDays() {
  if (!work_calendar_ || !drawn_ || row_count_ <= 0) {
    holiday_panel_->hide();
    return;
  }
  const WorkCalendar& calendar = *work_calendar_;
  QTextDocument* document = txbMonth->document();
  document->setUndoRedoEnabled(false);

  // The cells of the month itself: the days before its first "1" belong to the month before,
  // the days from its second "1" on to the month after.
  std::vector<MonthCell> cells;
  bool in_month = false;
  int ones_seen = 0;
  for (int row = 0; row < row_count_; ++row) {
    // After the header; with another calendar each week's row is followed by its own.
    const QTextBlock block = document->findBlockByNumber(1 + row * grid_row_step_);
    const QString line = block.text();
    for (int column = 0; column < 7; ++column) {
      const int start = kMonthRowIndent + column * kMonthCellWidth;
      const QString slot = line.mid(start, kMonthDayWidth);
      const QString digits = slot.trimmed();
      const int day = digits.toInt();
      if (day == 1) in_month = ++ones_seen == 1;
      if (!in_month || day <= 0) continue;
      cells.push_back(MonthCell{.position = block.position() + start + static_cast<int>(slot.size() - digits.size()),
                                .length = static_cast<int>(digits.size()),
                                .day_of_month = day,
                                .day_number = first_cell_day_ + row * 7 + column});
    }
  }
  if (cells.empty()) {
    holiday_panel_->hide();
    return;
  }

  // The month's holidays, from the Gregorian years its days fall in (a Julian month may reach
  // into the next one).
  const int32_t first = cells.front().day_number;
  const int32_t last = cells.back().day_number;
  std::vector<ListedHoliday> holidays;
  const int64_t first_year = civil::GregorianYearOfDayNumber(first);
  const int64_t last_year = civil::GregorianYearOfDayNumber(last);
  // A year a source does not know marks no holiday and says so, rather than showing the month as
  // one without holidays.
  const std::optional<UnknownHolidayYear> unknown =
      calendar.FirstUnknownYear(static_cast<int32_t>(first_year), static_cast<int32_t>(last_year));
  for (int64_t year = first_year; year <= last_year && !unknown; ++year) {
    for (const ListedHoliday& holiday : calendar.HolidaysOfYear(static_cast<int32_t>(year))) {
      if (holiday.day_number >= first && holiday.day_number <= last) holidays.push_back(holiday);
    }
  }

  QTextCharFormat day_off;
  day_off.setFontWeight(QFont::Bold);
  QTextCharFormat holiday_format = day_off;
  holiday_format.setFontUnderline(true);
  holiday_format.setForeground(HolidayColour(txbMonth->palette()));
  QTextCursor cursor(document);
  for (const MonthCell& cell : cells) {
    // A half day is listed but is a working day: only the days a count leaves out are marked.
    const bool holiday = std::any_of(holidays.begin(), holidays.end(), [&](const ListedHoliday& h) {
      return h.day_number == cell.day_number && h.counted;
    });
    const bool works = calendar.Week().Works(civil::IsoWeekday(cell.day_number));
    if (!holiday && works) continue;
    cursor.setPosition(cell.position);
    cursor.setPosition(cell.position + cell.length, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(holiday ? holiday_format : day_off);
  }

  // Below the grid: " 1 Thursday  Labour Day", the day as the grid shows it, the weekdays padded
  // to the longest listed.
  qsizetype weekday_width = 0;
  for (const ListedHoliday& holiday : holidays) {
    weekday_width = std::max(weekday_width, ToQString(WeekdayName(language_, civil::DayOfWeek(holiday.day_number))).size());
  }
  QString list = ToQString(WorkDaysTextOf(holidays.empty() ? WorkDaysText::MonthNoHolidays : WorkDaysText::MonthHolidays,
                                          language_));
  for (const ListedHoliday& holiday : holidays) {
    const auto cell = std::find_if(cells.begin(), cells.end(),
                                   [&](const MonthCell& c) { return c.day_number == holiday.day_number; });
    if (cell == cells.end()) continue;  // cannot happen: the cells run without a gap
    list += QStringLiteral("\n%1 %2  %3")
                .arg(cell->day_of_month, 2)
                .arg(ToQString(WeekdayName(language_, civil::DayOfWeek(holiday.day_number))),
                     -static_cast<int>(weekday_width))
                .arg(ToQString(ListedHolidayName(holiday, calendar.Sources(), language_)));
  }
  if (unknown) list = ToQString(UnknownHolidayYearText(calendar, *unknown, UnknownYearForm::Message, language_));
  for (const ProvisionalHolidayYears& years :
       calendar.ProvisionalYears(static_cast<int32_t>(first_year), static_cast<int32_t>(last_year))) {
    list += QStringLiteral("\n") + ToQString(WorkDaysTextOf(WorkDaysText::ProvisionalYear, language_))
                                       .arg(ToQString(holidays::KnownYearsText(years.years, language_)))
                                       .arg(ToQString(calendar.Sources()[years.source].label));
  }
  lblHolidays->setText(list);
  lblHolidays->setAccessibleName(ToQString(WorkDaysTextOf(WorkDaysText::MonthMarksName, language_)));
  const QString legend = ToQString(WorkDaysTextOf(WorkDaysText::MonthLegend, language_));
  lblHolidayLegend->setText(legend);
  lblHolidayLegend->setAccessibleName(legend);
  // A screen reader reads the lines as a sighted user does, without the blanks that line them up
  // on screen, and the legend after them.
  QStringList spoken;
  for (const QString& line : list.split(QLatin1Char('\n'))) spoken.append(line.simplified());
  spoken.append(legend);
  lblHolidays->setAccessibleDescription(spoken.join(QLatin1Char('\n')));
  holiday_panel_->show();
}

}  // namespace qv
