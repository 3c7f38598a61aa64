#include "compute/compute_engine.h"

#include <utility>

#include "calendar/added_calendars.h"
#include "calendar/calendar_codes.h"
#include "calendar/clock.h"
#include "compute/day_arithmetic.h"
#include "compute/request_state.h"
#include "holidays/regions.h"
#include "lang/added_calendar_texts.h"
#include "lang/captions.h"
#include "lang/general_texts.h"
#include "lang/holiday_texts.h"
#include "lang/request_messages.h"
#include "text/calendar_table.h"
#include "text/date_readers.h"
#include "text/date_writers.h"
#include "text/string_utils.h"

namespace qv {
namespace {

// The magnitude of a normalised difference and the sign word that goes before it. Seen from
// the first date a leading '-' means "minus"; seen from the second date the words swap,
// because the first date lies that far before the second.
struct SignedText {
  std::string_view word;
  std::string_view magnitude;
};
SignedText SplitSign(std::string_view text, bool from_first_date, Language language) {
  const bool negative = !text.empty() && text[0] == '-';
  const bool says_minus = negative == from_first_date;
  return {TextOf(says_minus ? GeneralText::Minus : GeneralText::Plus, language), negative ? text.substr(1) : text};
}

}  // namespace

const Outcome& ComputeEngine::Compute(std::string_view first, std::string_view difference, std::string_view second,
                                      const RequestOptions& options) {
  outcome_.boxes = BoxViews{TrimBlanks(first), TrimBlanks(difference), TrimBlanks(second)};
  const BoxViews& boxes = outcome_.boxes;
  const bool first_filled = !boxes.first.empty();
  const bool difference_filled = !boxes.difference.empty();
  const bool second_filled = !boxes.second.empty();
  if (!first_filled && !difference_filled && !second_filled) {
    SetBox(DateBox::First, TodayBoxText(options.first_calendar, options));
  } else if (!first_filled && !second_filled) {
    return StopBeforeDispatch(RequestStep::NothingToDo, std::nullopt);
  } else if (first_filled && difference_filled && second_filled) {
    return StopBeforeDispatch(RequestStep::AskWhichBoxToClear,
                              Message{.text = RequestMessage(options.language, reqmsg::BothDatesNeedEmptyDifference),
                                      .title = ErrorCaption(options.language),
                                      .kind = MessageKind::Information});
  }
  return Route(options);
}

const Outcome& ComputeEngine::Route(const RequestOptions& options) {
  const bool first = !outcome_.boxes.first.empty();
  const bool difference = !outcome_.boxes.difference.empty();
  const bool second = !outcome_.boxes.second.empty();
  const bool conversion = (first != second) && !difference;
  no_date_diff_and_same_cal_ = conversion && options.first_calendar == options.second_calendar;
  Request request(options, TextOptionsOf(options), outcome_, line_);
  request.outcome.result.kind = conversion ? RequestKind::Conversion
                                : difference ? RequestKind::Date
                                             : RequestKind::Difference;
  if (options.unit == DifferenceUnit::Days || conversion) return DispatchDays(request);
  return DispatchMonths(request);
}

const DateTextOptions& ComputeEngine::TextOptionsOf(const RequestOptions& options) {
  // Compared field by field with what TextOptions() makes of them, without making it: views of
  // the same texts read alike, whatever the texts hold now.
  const auto same_view = [](std::string_view a, std::string_view b) { return a.data() == b.data() && a.size() == b.size(); };
  const DateTextOptions& kept = text_options_;
  if (options.format != kept.format || options.hyphen != kept.hyphen || options.text_reading != kept.reading ||
      !same_view(options.date_separator, kept.date_separator) ||
      !same_view(options.thousands_separator, kept.thousands_separator)) {
    text_options_ = options.TextOptions();
  }
  return text_options_;
}

const Outcome& ComputeEngine::StopBeforeDispatch(RequestStep step, std::optional<Message> message) {
  outcome_.step = step;
  outcome_.output = {};
  outcome_.message = std::move(message);
  outcome_.switch_to_days = false;
  outcome_.validated = step != RequestStep::AskWhichBoxToClear;
  outcome_.result = ResultValues{};
  outcome_.refusal = {};
  outcome_.provisional = {};
  return outcome_;
}

const Outcome& ComputeEngine::DispatchDays(Request& request) {
  const bool first = !outcome_.boxes.first.empty();
  const bool difference = !outcome_.boxes.difference.empty();
  const bool second = !outcome_.boxes.second.empty();
  if (second) {
    if (!ValidateSecondDate(request)) return request.outcome;
    if (difference) {
      if (!ValidateDateDiff(request)) return request.outcome;
      if (!first && RunFirstDateFromSecond(request)) {
        OpenLine(request, DateBox::Second, DifferenceUnit::Days, lngDateDiff);
        DisplayFirstDate(request);
      }
    } else {
      lngDateDiff = 0;
      if (first) {
        if (!ValidateFirstDate(request)) return request.outcome;
        if (RunCountDaysBetween(request)) DisplayDateDiff(request);
      } else if (RunFirstDateFromSecond(request)) {
        OpenLine(request, DateBox::Second, DifferenceUnit::Days, lngDateDiff);
        DisplayFirstDate(request);
      }
    }
  } else if (difference) {
    if (!ValidateDateDiff(request)) return request.outcome;
    if (first) {
      if (!ValidateFirstDate(request)) return request.outcome;
      if (RunSecondDateFromFirst(request)) {
        OpenLine(request, DateBox::First, DifferenceUnit::Days, lngDateDiff);
        DisplaySecondDate(request);
      }
    }
  } else if (first) {
    lngDateDiff = 0;
    if (!ValidateFirstDate(request)) return request.outcome;
    if (RunSecondDateFromFirst(request)) {
      OpenLine(request, DateBox::First, DifferenceUnit::Days, lngDateDiff);
      DisplaySecondDate(request);
    }
  }
  CloseLine(request);
  return request.outcome;
}

const Outcome& ComputeEngine::RefuseMonths(Request& request, std::initializer_list<int16_t> program_texts) {
  const Language language = request.options.language;
  std::string text;
  for (const int16_t number : program_texts) {
    if (!text.empty()) text.append(kLineBreak);
    text.append(GetProgramText(texts_, number, language));
  }
  request.outcome.message = Message{
      .text = std::move(text), .title = std::string(TextOf(GeneralText::Compute, language)), .kind = MessageKind::Refusal};
  request.outcome.validated = false;
  return request.outcome;
}

const Outcome& ComputeEngine::DispatchMonths(Request& request) {
  // Numbered program texts of the three refusals.
  const std::initializer_list<int16_t> kNoMonthsBetweenDates = {21, 22};
  const std::initializer_list<int16_t> kCalendarsDiffer = {23, 24};
  const std::initializer_list<int16_t> kNoMonthsInCalendar = {25, 26, 27};
  const RequestOptions& options = request.options;
  const bool from_first = !outcome_.boxes.first.empty();
  if (from_first && !outcome_.boxes.second.empty()) {
    // A difference in months between two dates is not offered: back to days.
    request.outcome.switch_to_days = true;
    return RefuseMonths(request, kNoMonthsBetweenDates);
  }
  if (options.first_calendar != options.second_calendar) return RefuseMonths(request, kCalendarsDiffer);
  const CalendarCode calendar = options.first_calendar;
  const MonthsMode months_mode = CalendarRowOf(calendar).months;
  if (months_mode == MonthsMode::None) return RefuseMonths(request, kNoMonthsInCalendar);
  int16_t result = 0;
  int32_t months = 0;
  if (!ReadDifference(request, months, result)) return request.outcome;
  if (result != kReadValid) {
    ShowRequestError(request, result == kReadNotValid ? reqmsg::DifferenceNotValid : reqmsg::DifferenceOutOfRange);
    return request.outcome;
  }
  difference_box_ = GroupedNumber(months, options.thousands_separator);
  outcome_.boxes.difference = difference_box_;
  if (!(from_first ? ValidateFirstDate(request) : ValidateSecondDate(request))) return request.outcome;
  const DateBox given = from_first ? DateBox::First : DateBox::Second;
  const DateBox result_box = from_first ? DateBox::Second : DateBox::First;
  const int32_t signed_months = from_first ? months : -months;
  const std::optional<DateFields> target =
      months_mode == MonthsMode::AddedMonths
          ? AddAddedCalendarMonths(*AddedCalendarRulesOf(calendar), FieldsOf(given), signed_months)
          : AddMonths(FieldsOf(given), signed_months,
                      months_mode == MonthsMode::LeapWeekMonths ? MonthsOf::LeapWeekCalendar : MonthsOf::RecordCalendar);
  if (!target) {
    if (HasCalendarRangeMessage(calendar)) {
      OutsideCalendarPath(request, calendar);
    } else {
      OverflowPath(request);
    }
  } else {
    FieldsOf(result_box) = *target;
    OpenLine(request, given, DifferenceUnit::Months, months);
    DisplayResultDate(request, result_box);
  }
  CloseLine(request);
  return request.outcome;
}

bool ComputeEngine::ValidateFirstDate(Request& request) { return ValidateDate(request, DateBox::First); }
bool ComputeEngine::ValidateSecondDate(Request& request) { return ValidateDate(request, DateBox::Second); }

bool ComputeEngine::ValidateDate(Request& request, DateBox box) {
  const bool first = box == DateBox::First;
  const CalendarCode calendar = first ? request.options.first_calendar : request.options.second_calendar;
  const DateReading reading = ReadDateInCalendar(BoxText(box), calendar, request.text_options, JdnReading::Strict);
  if (reading.result == kReadValid && reading.altered) {
    RefuseMisread(request, first ? InputBox::FirstDate : InputBox::SecondDate);
    return false;
  }
  if (reading.result != kReadValid) {
    // A date an added calendar does not convert: the message names the calendar's range.
    if (HasCalendarRangeMessage(calendar) && (reading.result == kReadOutOfRange || !IsAvailableCalendar(calendar))) {
      RefuseOutsideCalendar(request, calendar);
      return false;
    }
    const bool not_valid = reading.result == kReadNotValid;
    ShowRequestError(request, first ? (not_valid ? reqmsg::FirstDateNotValid : reqmsg::FirstDateOutOfRange)
                                    : (not_valid ? reqmsg::SecondDateNotValid : reqmsg::SecondDateOutOfRange));
    return false;
  }
  // The normal form: the date written back in the box's calendar (the result line names the
  // calendar after it). The reader is done with the box's text. A text the reader found exactly
  // as the writer writes it (a batch line, mostly) is its own normal form, and stays.
  if (!reading.as_written) {
    WriteBox(request, box, reading.fields.DayNumber, WriteStyle{.check_ordinal_range = false}, nullptr);
  }
  // The other readers also give year, month and day (the leap-week ones for LPM), which months
  // and the breakdown read.
  DateFields& fields = FieldsOf(box);
  if (calendar == cal::JDN || calendar == cal::ISO || calendar == cal::LPW) {
    fields.DayNumber = reading.fields.DayNumber;
  } else {
    fields = reading.fields;
  }
  return true;
}

bool ComputeEngine::WriteBox(Request& request, DateBox box, int32_t day_number, WriteStyle style, DateFields* record) {
  const CalendarCode calendar = box == DateBox::First ? request.options.first_calendar : request.options.second_calendar;
  TextBuilder& kept = BoxBuffer(box);
  kept.Clear();
  if (!WriteDayNumberInCalendar(kept, day_number, calendar, request.text_options, style, record)) return false;
  (box == DateBox::First ? outcome_.boxes.first : outcome_.boxes.second) = kept.View();
  return true;
}

void ComputeEngine::SetBox(DateBox box, std::string_view text) {
  TextBuilder& kept = BoxBuffer(box);
  kept.Clear();
  kept.Add(text);
  (box == DateBox::First ? outcome_.boxes.first : outcome_.boxes.second) = kept.View();
}

bool ComputeEngine::ValidateDateDiff(Request& request) {
  if (outcome_.boxes.difference.empty()) {
    lngDateDiff = 0;
    return true;
  }
  int16_t result = 0;
  if (!ReadDifference(request, lngDateDiff, result)) return false;
  if (result == kReadValid) {
    difference_box_ = GroupedNumber(lngDateDiff, request.options.thousands_separator);
    outcome_.boxes.difference = difference_box_;
    return true;
  }
  ShowRequestError(request, result == kReadNotValid ? reqmsg::DifferenceNotValid : reqmsg::DifferenceOutOfRange);
  return false;
}

bool ComputeEngine::ReadDifference(Request& request, int32_t& number, int16_t& result) {
  ReadFit fit{.group_separator = request.options.thousands_separator};
  const bool strict = request.options.text_reading == TextReading::Strict;
  number = ParseDayNumberText(outcome_.boxes.difference, result, strict ? &fit : nullptr);
  if (result == kReadValid && fit.altered) {
    RefuseMisread(request, InputBox::Difference);
    return false;
  }
  return true;
}

void ComputeEngine::RefuseMisread(Request& request, InputBox box) {
  const Language language = request.options.language;
  const std::string_view text = box == InputBox::FirstDate    ? outcome_.boxes.first
                                : box == InputBox::SecondDate ? outcome_.boxes.second
                                                              : outcome_.boxes.difference;
  request.outcome.message = Message{
      .text = MisreadMessage(language, box, text), .title = ErrorCaption(language), .kind = MessageKind::InputError};
  request.outcome.validated = false;
}

bool ComputeEngine::StoreOrOverflow(Request& request, std::optional<int32_t> value, int32_t& target) {
  if (!value) {
    OverflowPath(request);
    return false;
  }
  target = *value;
  return true;
}

// With a work calendar in force its working days are counted and added; otherwise the described
// rules are (every day, or Monday to Friday).
bool ComputeEngine::RunCountDaysBetween(Request& request) {
  const int32_t first = FirstDateFields.DayNumber, second = SecondDateFields.DayNumber;
  const DayCountOptions count = request.CountOptions();
  return StoreOrOverflow(request,
                         request.work_calendar ? request.work_calendar->CountDaysBetween(first, second, count)
                                               : CountDaysBetween(first, second, count),
                         lngDateDiff) &&
         (request.work_calendar == nullptr || HolidayYearsKnown(request, first, second, std::nullopt));
}

// Inlined into the dispatcher (as the other two below): a batch converts line after line
// through here, and the call cost more than the step.
[[gnu::always_inline]] inline bool ComputeEngine::RunSecondDateFromFirst(Request& request) {
  const int32_t first = FirstDateFields.DayNumber;
  const DayCountOptions count = request.CountOptions();
  return StoreOrOverflow(request,
                         request.work_calendar ? request.work_calendar->SecondDateFromFirst(first, lngDateDiff, count)
                                               : SecondDateFromFirst(first, lngDateDiff, count),
                         SecondDateFields.DayNumber) &&
         (request.work_calendar == nullptr || lngDateDiff == 0 ||
          HolidayYearsKnown(request, first, SecondDateFields.DayNumber, DateBox::First));
}

[[gnu::always_inline]] inline bool ComputeEngine::RunFirstDateFromSecond(Request& request) {
  const int32_t second = SecondDateFields.DayNumber;
  const DayCountOptions count = request.CountOptions();
  return StoreOrOverflow(request,
                         request.work_calendar ? request.work_calendar->FirstDateFromSecond(second, lngDateDiff, count)
                                               : FirstDateFromSecond(second, lngDateDiff, count),
                         FirstDateFields.DayNumber) &&
         (request.work_calendar == nullptr || lngDateDiff == 0 ||
          HolidayYearsKnown(request, second, FirstDateFields.DayNumber, DateBox::Second));
}

// A working-day result rests on the holidays of every year from one date to the other: a source
// that does not know one of them cannot give it. (A conversion, and an addition of 0 days, rests
// on none: the date is its own result.) The line then says which year, in place of the
// result, and the request is refused; no guess is made as if the source had no holidays then.
[[gnu::noinline]] bool ComputeEngine::HolidayYearsKnown(Request& request, int32_t from_day, int32_t to_day,
                                                        std::optional<DateBox> given) {
  const std::optional<UnknownHolidayYear> unknown = request.work_calendar->FirstUnknownYearBetween(from_day, to_day);
  if (!unknown) return true;
  const Language language = request.options.language;
  if (given) {
    OpenLine(request, *given, DifferenceUnit::Days, lngDateDiff);
  } else {
    request.Append(outcome_.boxes.first, CalendarSuffixOf(request, DateBox::First), " ");
    request.Append(LowerCase(TextOf(GeneralText::To, language)));
    request.Append(" ", outcome_.boxes.second, CalendarSuffixOf(request, DateBox::Second));
  }
  request.Append(" = ", UnknownHolidayYearText(*request.work_calendar, *unknown, UnknownYearForm::Result, language));
  refusal_ = UnknownHolidayYearText(*request.work_calendar, *unknown, UnknownYearForm::Message, language);
  request.outcome.refusal = refusal_;
  return false;
}

// The given date inline, the difference words (a conversion has none) out of line.
[[gnu::always_inline]] inline void ComputeEngine::OpenLine(Request& request, DateBox given, DifferenceUnit unit,
                                                           int32_t number) {
  request.outcome.result.number = number;
  request.outcome.result.unit = unit;
  request.Append(BoxText(given), CalendarSuffixOf(request, given));
  if (!outcome_.boxes.difference.empty()) AppendDifference(request, given, unit, number);
}

[[gnu::noinline]] void ComputeEngine::AppendDifference(Request& request, DateBox given, DifferenceUnit unit,
                                                       int32_t number) {
  const Language language = request.options.language;
  const SignedText sign = SplitSign(outcome_.boxes.difference, given == DateBox::First, language);
  request.Append(" ", sign.word, " ", sign.magnitude, " ",
                 unit == DifferenceUnit::Months ? MonthOrMonths(number, language) : DayOrDays(number, language));
}

void ComputeEngine::OverflowPath(Request& request) {
  const Language language = request.options.language;
  request.Append(TextOf(GeneralText::OutOfRange, language));
  request.Append(kLineBreak);
  request.outcome.message = Message{.text = RequestMessage(language, reqmsg::ResultOutOfRange),
                                    .title = ErrorCaption(language),
                                    .kind = MessageKind::InputError};
}

void ComputeEngine::OutsideCalendarPath(Request& request, CalendarCode calendar) {
  const Language language = request.options.language;
  request.Append(TextOf(GeneralText::OutOfRange, language));
  request.Append(kLineBreak);
  request.outcome.message = Message{.text = CalendarRangeMessage(calendar, language),
                                    .title = ErrorCaption(language),
                                    .kind = MessageKind::InputError};
}

void ComputeEngine::RefuseOutsideCalendar(Request& request, CalendarCode calendar) {
  const Language language = request.options.language;
  request.outcome.message = Message{.text = CalendarRangeMessage(calendar, language),
                                    .title = ErrorCaption(language),
                                    .kind = MessageKind::InputError};
  request.outcome.validated = false;
}

void ComputeEngine::ShowRequestError(Request& request, int number) {
  const Language language = request.options.language;
  request.outcome.message = Message{.text = RequestMessage(language, number),
                                    .title = ErrorCaption(language),
                                    .kind = MessageKind::InputError};
  request.outcome.validated = false;
}

void ComputeEngine::CloseLine(Request& request) { request.Append(kLineBreak); }

std::string TodayBoxText(CalendarCode code, const RequestOptions& options) {
  TextBuilder text;
  WriteDayNumberInCalendar(text, TodayDayNumber(), code, options.TextOptions(), WriteStyle{.check_ordinal_range = false});
  return text.Text();
}

}  // namespace qv
