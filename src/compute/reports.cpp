// The result sentences: the rest of the line after the opening words.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calendar/calendar_codes.h"
#include "calendar/day_numbers.h"
#include "calendar/iso_ordinal.h"
#include "compute/compute_engine.h"
#include "compute/request_state.h"
#include "compute/work_calendar.h"
#include "holidays/regions.h"
#include "lang/added_calendar_texts.h"
#include "lang/captions.h"
#include "lang/general_texts.h"
#include "lang/holiday_texts.h"
#include "text/calendar_table.h"
#include "text/string_utils.h"

namespace qv {
namespace {

std::string Part(int64_t count, GeneralText one, GeneralText many, Language language) {
  return std::to_string(count) + " " + UnitWord(count == 1 ? one : many, language);
}

// A positive difference between two dates of the same calendar, in its largest units: years
// and days for ordinal dates beyond 364 days, years, weeks and days for ISO dates beyond 6,
// years, months and days for all four beyond 30. Counting the first date moves the start one
// day back; only the ISO form works on day numbers, the others read year, month and day.
// Nothing when it is not computed without error or has no years, months or weeks.
std::optional<DifferenceBreakdown> BreakDown(CalendarCode calendar, int32_t difference, DateFields earlier,
                                             const DateFields& later, bool include_first_date) {
  if (include_first_date) earlier.DayNumber -= 1;
  int32_t years = 0, error = 0;
  int16_t months = 0, weeks = 0, days = 0;
  if (calendar == cal::ORD && difference > 364) {
    YearsDaysBetween(earlier, later, years, days, error);
  } else if (calendar == cal::ISO && difference > 6) {
    IsoWeekDate from, to;
    from.DayNumber = earlier.DayNumber;
    to.DayNumber = later.DayNumber;
    DayNumberToIsoWeekDate(from);
    DayNumberToIsoWeekDate(to);
    YearsWeeksDaysBetween(from, to, years, weeks, days, error);
  } else if (difference > 30) {
    YearsMonthsDaysBetween(earlier, later, years, months, days, error);
  } else {
    return std::nullopt;
  }
  if (error != 0 || (years <= 0 && months <= 0 && weeks <= 0)) return std::nullopt;
  return DifferenceBreakdown{.years = years, .months = months, .weeks = weeks, .days = days};
}

}  // namespace

std::string DayOrDays(int64_t number_of_days, Language language) {
  return UnitWord(number_of_days == 1 || number_of_days == -1 ? GeneralText::Day : GeneralText::Days, language);
}

std::string MonthOrMonths(int64_t number_of_months, Language language) {
  return UnitWord(number_of_months == 1 || number_of_months == -1 ? GeneralText::Month : GeneralText::Months, language);
}

void ComputeEngine::DisplayFirstDate(Request& request) { DisplayResultDate(request, DateBox::First); }
void ComputeEngine::DisplaySecondDate(Request& request) { DisplayResultDate(request, DateBox::Second); }

void ComputeEngine::DisplayResultDate(Request& request, DateBox box) {
  DateFields& fields = FieldsOf(box);
  if (no_date_diff_and_same_cal_) {
    // One date converted into its own calendar: the date and its weekday only.
    AppendDayOfWeek(request, fields);
    NoteResultDate(request, box == DateBox::First ? DateBox::Second : DateBox::First, fields.DayNumber,
                   DayOfWeek(fields.DayNumber));
    AppendCalendarNote(request, box, fields.DayNumber);
    return;
  }
  if (!WriteBox(request, box, fields.DayNumber, WriteStyle{}, &fields)) {
    request.Append(" = ");
    const CalendarCode calendar = box == DateBox::First ? request.options.first_calendar : request.options.second_calendar;
    if (HasCalendarRangeMessage(calendar)) {
      OutsideCalendarPath(request, calendar);  // a day an added calendar does not convert
    } else {
      OverflowPath(request);  // an ordinal date outside years 1 … 9999
    }
    return;
  }
  const int16_t day_of_week = DayOfWeek(fields.DayNumber);
  request.Append(" = ", BoxText(box), CalendarSuffixOf(request, box), ", ",
                 WeekdayName(request.options.language, day_of_week));
  NoteResultDate(request, box, fields.DayNumber, day_of_week);
  AppendCalendarNote(request, box, fields.DayNumber);
  if (lngDateDiff != 0 && request.options.unit == DifferenceUnit::Days) {
    if (request.options.verbose) AppendVerboseNotes(request);
    AppendHolidaysLeftOut(request);
  }
}

void ComputeEngine::NoteResultDate(Request& request, DateBox written_in, int32_t day_number, int16_t day_of_week) {
  ResultValues& result = request.outcome.result;
  result.computed = true;
  result.date = BoxText(written_in);
  result.calendar =
      WrittenCalendar(written_in == DateBox::First ? request.options.first_calendar : request.options.second_calendar);
  result.day_number = day_number;
  result.day_of_week = day_of_week;
}

void ComputeEngine::AppendDayOfWeek(Request& request, const DateFields& date) {
  request.Append(", ", WeekdayName(request.options.language, DayOfWeek(date.DayNumber)));
}

void ComputeEngine::AppendVerboseNotes(Request& request) {
  const Language language = request.options.language;
  request.Append(", ");
  request.Append(TextOf(request.options.include_first_date ? GeneralText::IncludingFirstDate : GeneralText::ExcludingFirstDate, language));
  if (!request.options.include_weekends) {
    request.Append(", ");
    request.Append(TextOf(GeneralText::NotCountingWeekendDays, language));
  }
}

namespace {

// The note's text in parentheses. (Out of line: most calendars have none, and the line that
// goes without one need not make room for its text.)
[[gnu::noinline]] std::string ParenthesizedNote(decltype(CalendarRow::note) note, CalendarCode calendar, int32_t day_number,
                                                Language language) {
  const std::string text = note(calendar, day_number, language);
  // A day the calendar does not convert has no note (its result was refused).
  if (text.empty()) return text;
  return " (" + text + ")";
}

}  // namespace

// Inlined into DisplayResultDate: the usual result asks it only which calendar has a note.
[[gnu::always_inline]] inline void ComputeEngine::AppendCalendarNote(Request& request, DateBox result_box,
                                                                     int32_t day_number) {
  const RequestOptions& options = request.options;
  if (!options.verbose) return;
  const bool first = result_box == DateBox::First;
  auto note = CalendarRowOf(first ? options.first_calendar : options.second_calendar).note;
  CalendarCode calendar = first ? options.first_calendar : options.second_calendar;
  if (note == nullptr && outcome_.boxes.difference.empty()) {
    // A conversion: the given date is the same day.
    calendar = first ? options.second_calendar : options.first_calendar;
    note = CalendarRowOf(calendar).note;
  }
  if (note == nullptr) return;
  request.Append(ParenthesizedNote(note, calendar, day_number, options.language));
}

// The holidays of the span the working days were counted over: between the two dates for a
// difference, between the given date and the result for an added date. Said whenever holidays are
// in force, verbose or not: without it the sentence would not show that they changed the number.
void ComputeEngine::AppendHolidaysLeftOut(Request& request) {
  if (request.work_calendar == nullptr || request.work_calendar->Sources().empty()) return;
  const HolidaysLeftOut left_out =
      request.work_calendar->LeftOut(FirstDateFields.DayNumber, SecondDateFields.DayNumber, request.CountOptions());
  const std::string_view separator = request.options.thousands_separator;
  const std::span<const holidays::HolidaySource> sources = request.work_calendar->Sources();
  std::vector<std::pair<size_t, std::string>> counts;  // the sources that gave any, and how many
  for (size_t s = 0; s < sources.size() && s < left_out.by_source.size(); ++s) {
    if (left_out.by_source[s] != 0) counts.emplace_back(s, GroupedNumber(left_out.by_source[s], separator));
  }
  std::vector<HolidayCount> by_source;
  for (const auto& [s, count] : counts) by_source.push_back(HolidayCount{.source = sources[s].label, .count = count});
  request.Append(HolidaysLeftOutNote(left_out.total, GroupedNumber(left_out.total, separator), by_source,
                                     request.options.language));
  AppendProvisional(request);
}

// The sources whose days of the counted years are projected, not published: the sentence says so,
// and the outcome carries them for the programs that read values.
void ComputeEngine::AppendProvisional(Request& request) {
  provisional_.clear();
  const std::vector<ProvisionalHolidayYears> found =
      request.work_calendar->ProvisionalYearsBetween(FirstDateFields.DayNumber, SecondDateFields.DayNumber);
  if (found.empty()) return;
  const std::span<const holidays::HolidaySource> sources = request.work_calendar->Sources();
  std::vector<std::string> texts;
  for (const ProvisionalHolidayYears& years : found) {
    provisional_.push_back(ProvisionalSourceYears{.source = sources[years.source].label, .years = years.years});
    texts.push_back(holidays::KnownYearsText(years.years, request.options.language));
  }
  std::vector<ProvisionalSource> note;
  for (size_t i = 0; i < found.size(); ++i) note.push_back(ProvisionalSource{.source = provisional_[i].source, .years = texts[i]});
  request.Append(ProvisionalNote(note, request.options.language));
  request.outcome.provisional = provisional_;
}

void ComputeEngine::DisplayDateDiff(Request& request) {
  const RequestOptions& options = request.options;
  const Language language = options.language;
  request.Append(outcome_.boxes.first, CalendarSuffixOf(request, DateBox::First));
  request.Append(" ");
  request.Append(LowerCase(TextOf(GeneralText::To, language)));
  request.Append(" ");
  request.Append(outcome_.boxes.second, CalendarSuffixOf(request, DateBox::Second));
  request.Append(" = ");
  difference_box_ = GroupedNumber(lngDateDiff, options.thousands_separator);
  outcome_.boxes.difference = difference_box_;
  request.Append(outcome_.boxes.difference);
  request.Append(" ");
  request.Append(DayOrDays(lngDateDiff, language));
  if (options.verbose) AppendVerboseNotes(request);
  AppendHolidaysLeftOut(request);
  ResultValues& result = request.outcome.result;
  result.computed = true;
  result.number = lngDateDiff;
  result.unit = DifferenceUnit::Days;

  const CalendarCode calendar = options.first_calendar;
  const bool breakdown_calendar =
      calendar == cal::CE || calendar == cal::JC || calendar == cal::ISO || calendar == cal::ORD;
  if (!options.include_weekends || lngDateDiff <= 0 || options.second_calendar != calendar || !breakdown_calendar) {
    return;
  }
  const std::optional<DifferenceBreakdown> breakdown =
      BreakDown(calendar, lngDateDiff, FirstDateFields, SecondDateFields, options.include_first_date);
  if (!breakdown) return;
  result.breakdown = breakdown;
  std::string parts;
  auto add = [&](int64_t count, GeneralText one, GeneralText many) {
    if (count <= 0) return;
    if (!parts.empty()) parts.append(", ");
    parts.append(Part(count, one, many, language));
  };
  add(breakdown->years, GeneralText::Year, GeneralText::Years);
  add(breakdown->months, GeneralText::Month, GeneralText::Months);
  add(breakdown->weeks, GeneralText::Week, GeneralText::Weeks);
  add(breakdown->days, GeneralText::Day, GeneralText::Days);
  request.Append(" (");
  request.Append(parts);
  request.Append(")");
}

}  // namespace qv
