#include "compute/compute_engine.h"

#include <functional>
#include <utility>

#include "calendar/calendar_codes.h"
#include "calendar/clock.h"
#include "compute/day_arithmetic.h"
#include "compute/request_state.h"
#include "lang/general_texts.h"
#include "lang/request_messages.h"
#include "text/date_readers.h"
#include "text/date_writers.h"
#include "text/string_utils.h"

namespace qv {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

DayCountOptions CountOptions(const RequestOptions& options) {
  return DayCountOptions{.include_weekends = options.include_weekends, .include_first_date = options.include_first_date};
}

// The magnitude of a normalised difference and the sign word that goes before it. Seen from
// the first date a leading '-' means "minus"; seen from the second date the words swap,
// because the first date lies that far before the second.
struct SignedText {
  std::string_view word;
  std::string_view magnitude;
};
SignedText SplitSign(std::string_view text, bool from_first_date, int16_t language) {
  const bool negative = !text.empty() && text[0] == '-';
  const bool says_minus = negative == from_first_date;
  return {TextOf(says_minus ? GeneralText::Minus : GeneralText::Plus, language), negative ? text.substr(1) : text};
}

}  // namespace

void ComputeEngine::TakeBoxes() {
  input_ = BoxViews{outcome_.boxes.first, outcome_.boxes.difference, outcome_.boxes.second};
  line_out_ = &outcome_.output;
  write_date_boxes_ = true;
}

void ComputeEngine::SetBox(std::string& box_text, std::string_view& view, std::string_view text) {
  box_text.assign(text);
  view = box_text;
}

const Outcome& ComputeEngine::Run(BoxTexts boxes, const RequestOptions& options) {
  outcome_.boxes = std::move(boxes);
  TakeBoxes();
  return Route(options);
}

const Outcome& ComputeEngine::Route(const RequestOptions& options) {
  const bool first = !input_.first.empty();
  const bool difference = !input_.difference.empty();
  const bool second = !input_.second.empty();
  const bool conversion = (first != second) && !difference;
  no_date_diff_and_same_cal_ = conversion && options.first_calendar == options.second_calendar;
  Request request(options, outcome_, *line_out_);
  // Only a difference, with no date to apply it to, is a days-mode request in either unit.
  if (!options.months || conversion || (difference && !first && !second)) return DispatchDays(request);
  return DispatchMonths(request);
}

const Outcome& ComputeEngine::Compute(BoxTexts boxes, const RequestOptions& options) {
  outcome_.boxes = std::move(boxes);
  for (std::string* box : {&outcome_.boxes.first, &outcome_.boxes.difference, &outcome_.boxes.second}) {
    const std::string_view trimmed = TrimBlanks(*box);
    box->assign(trimmed);  // assign copes with a view into the string itself
  }
  TakeBoxes();
  return ComputeFilledBoxes(options);
}

const Outcome& ComputeEngine::Compute(std::string_view first, std::string_view difference, std::string_view second,
                                      const RequestOptions& options) {
  const auto copy = [](std::string& box, std::string_view text) {
    text = TrimBlanks(text);
    const bool inside = std::greater_equal<const char*>()(text.data(), box.data()) &&
                        std::less_equal<const char*>()(text.data(), box.data() + box.size());
    if (inside) {
      box.assign(text);  // assign copes with a view into the string itself
    } else {
      box.clear();  // keeps the capacity; an empty box costs no copy
      if (!text.empty()) box.append(text);
    }
  };
  copy(outcome_.boxes.first, first);
  copy(outcome_.boxes.difference, difference);
  copy(outcome_.boxes.second, second);
  TakeBoxes();
  return ComputeFilledBoxes(options);
}

const Outcome& ComputeEngine::ComputeLine(std::string_view first, std::string_view difference,
                                          std::string_view second, const RequestOptions& options,
                                          std::string& line_out) {
  input_ = BoxViews{TrimBlanks(first), TrimBlanks(difference), TrimBlanks(second)};
  line_out_ = &line_out;
  write_date_boxes_ = false;
  return ComputeFilledBoxes(options);
}

const Outcome& ComputeEngine::ComputeFilledBoxes(const RequestOptions& options) {
  const bool first = !input_.first.empty();
  const bool difference = !input_.difference.empty();
  const bool second = !input_.second.empty();
  if (!first && !difference && !second) {
    SetBox(outcome_.boxes.first, input_.first, TodayBoxText(options.first_calendar, options));
  } else if (!first && !second) {
    return StopBeforeDispatch(RequestStep::NothingToDo, std::nullopt);
  } else if (first && difference && second) {
    return StopBeforeDispatch(
        RequestStep::AskWhichBoxToClear,
        Message{.text = RequestMessage(options.language, reqmsg::BothDatesNeedEmptyDifference),
                .title = std::string(TextOf(GeneralText::Error, options.language)) + "!",
                .kind = MessageKind::Information});
  }
  return Route(options);
}

const Outcome& ComputeEngine::StopBeforeDispatch(RequestStep step, std::optional<Message> message) {
  outcome_.step = step;
  outcome_.output.clear();
  outcome_.message = std::move(message);
  outcome_.switch_to_days = false;
  outcome_.validated = step != RequestStep::AskWhichBoxToClear;
  return outcome_;
}

const Outcome& ComputeEngine::DispatchDaysRequest(BoxTexts boxes, const RequestOptions& options) {
  outcome_.boxes = std::move(boxes);
  TakeBoxes();
  Request request(options, outcome_, *line_out_);
  return DispatchDays(request);
}

const Outcome& ComputeEngine::DispatchMonthsRequest(BoxTexts boxes, const RequestOptions& options) {
  outcome_.boxes = std::move(boxes);
  TakeBoxes();
  Request request(options, outcome_, *line_out_);
  return DispatchMonths(request);
}

const Outcome& ComputeEngine::DispatchDays(Request& request) {
  const bool first = !input_.first.empty();
  const bool difference = !input_.difference.empty();
  const bool second = !input_.second.empty();
  if (second) {
    if (!ValidateSecondDate(request)) return request.outcome;
    if (difference) {
      if (!ValidateDateDiff(request)) return request.outcome;
      if (!first && RunFirstDateFromSecond(request)) {
        OpenLine(request, Box::Second, DifferenceUnit::Days, lngDateDiff);
        DisplayFirstDate(request);
      }
    } else {
      lngDateDiff = 0;
      if (first) {
        if (!ValidateFirstDate(request)) return request.outcome;
        if (RunCountDaysBetween(request)) DisplayDateDiff(request);
      } else if (RunFirstDateFromSecond(request)) {
        OpenLine(request, Box::Second, DifferenceUnit::Days, lngDateDiff);
        DisplayFirstDate(request);
      }
    }
  } else if (difference) {
    if (!ValidateDateDiff(request)) return request.outcome;
    if (first) {
      if (!ValidateFirstDate(request)) return request.outcome;
      if (RunSecondDateFromFirst(request)) {
        OpenLine(request, Box::First, DifferenceUnit::Days, lngDateDiff);
        DisplaySecondDate(request);
      }
    }
  } else if (first) {
    lngDateDiff = 0;
    if (!ValidateFirstDate(request)) return request.outcome;
    if (RunSecondDateFromFirst(request)) {
      OpenLine(request, Box::First, DifferenceUnit::Days, lngDateDiff);
      DisplaySecondDate(request);
    }
  }
  CloseLine(request);
  return request.outcome;
}

const Outcome& ComputeEngine::RefuseMonths(Request& request, std::initializer_list<int16_t> program_texts) {
  const int16_t language = request.options.language;
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
  const bool from_first = !input_.first.empty();
  if (from_first && !input_.second.empty()) {
    // A difference in months between two dates is not offered: back to days.
    request.outcome.switch_to_days = true;
    return RefuseMonths(request, kNoMonthsBetweenDates);
  }
  if (options.first_calendar != options.second_calendar) return RefuseMonths(request, kCalendarsDiffer);
  const CalendarCode calendar = options.first_calendar;
  if (calendar == cal::ISO || calendar == cal::JDN || calendar == cal::LPW || calendar == cal::ORD) {
    return RefuseMonths(request, kNoMonthsInCalendar);  // months are open to CE, JC and LPM
  }
  int16_t result = 0;
  const int32_t months = ParseDayNumberText(input_.difference, result);
  if (result != kReadValid) {
    ShowRequestError(request, result == kReadNotValid ? reqmsg::DifferenceNotValid : reqmsg::DifferenceOutOfRange);
    return request.outcome;
  }
  SetBox(request.outcome.boxes.difference, input_.difference, GroupedNumber(months, options.thousands_separator));
  if (!(from_first ? ValidateFirstDate(request) : ValidateSecondDate(request))) return request.outcome;
  const Box given = from_first ? Box::First : Box::Second;
  const Box result_box = from_first ? Box::Second : Box::First;
  const std::optional<DateFields> target = AddMonths(FieldsOf(given), from_first ? months : -months, calendar == cal::LPM);
  if (!target) {
    OverflowPath(request);
  } else {
    FieldsOf(result_box) = *target;
    OpenLine(request, given, DifferenceUnit::Months, months);
    DisplayResultDate(request, result_box);
  }
  CloseLine(request);
  return request.outcome;
}

bool ComputeEngine::ValidateFirstDate(Request& request) { return ValidateDate(request, Box::First); }
bool ComputeEngine::ValidateSecondDate(Request& request) { return ValidateDate(request, Box::Second); }

bool ComputeEngine::ValidateDate(Request& request, Box box) {
  const bool first = box == Box::First;
  const CalendarCode calendar = first ? request.options.first_calendar : request.options.second_calendar;
  DateFields& fields = FieldsOf(box);
  std::string_view& input = first ? input_.first : input_.second;
  const DateReading reading = ReadDateInCalendar(input, calendar, request.text_options, JdnReading::Strict);
  if (reading.result != kReadValid) {
    const bool not_valid = reading.result == kReadNotValid;
    ShowRequestError(request, first ? (not_valid ? reqmsg::FirstDateNotValid : reqmsg::FirstDateOutOfRange)
                                    : (not_valid ? reqmsg::SecondDateNotValid : reqmsg::SecondDateOutOfRange));
    return false;
  }
  // The normal form: the date written back in the box's calendar (the result line names the
  // calendar after it). Written from the reading, which JDN, ISO and LPW give as a day number
  // alone; the record is copied afterwards, when the reader's stores have long settled (a
  // wide copy right after them would wait for them).
  // The usual text ("2024-03-05") is its own normal form and stays as it is, in the box or where
  // the batch keeps it.
  if (!IsWrittenDate(input, reading.fields, calendar, request.text_options)) {
    TextBuilder& normal = first ? first_normal_ : second_normal_;
    normal.Clear();
    BuildDateInCalendar(normal, reading.fields, calendar, request.text_options,
                        WriteStyle{.check_ordinal_range = false});
    if (write_date_boxes_) {
      SetBox(BoxText(request, box), input, normal.View());  // the reader is done with the text
    } else {
      input = normal.View();
    }
  }
  // The other readers also give year, month and day (the leap-week ones for LPM), which months
  // and the breakdown read.
  if (calendar == cal::JDN || calendar == cal::ISO || calendar == cal::LPW) {
    fields.DayNumber = reading.fields.DayNumber;
  } else {
    fields = reading.fields;
  }
  return true;
}

bool ComputeEngine::WriteBoxDate(Request& request, Box box, int32_t day_number, WriteStyle style, DateFields* record,
                                 TextBuilder& text) {
  const CalendarCode calendar = box == Box::First ? request.options.first_calendar : request.options.second_calendar;
  if (!BuildDayNumberInCalendar(text, day_number, calendar, request.text_options, style, record)) return false;
  if (write_date_boxes_) SetBox(BoxText(request, box), box == Box::First ? input_.first : input_.second, text.View());
  return true;
}

std::string& ComputeEngine::BoxText(Request& request, Box box) {
  return box == Box::First ? request.outcome.boxes.first : request.outcome.boxes.second;
}

std::string_view ComputeEngine::CalendarSuffixOf(const Request& request, Box box) {
  return CalendarSuffix(WrittenCalendar(box == Box::First ? request.options.first_calendar
                                                          : request.options.second_calendar));
}

bool ComputeEngine::ValidateDateDiff(Request& request) {
  if (input_.difference.empty()) {
    lngDateDiff = 0;
    return true;
  }
  int16_t result = 0;
  lngDateDiff = ParseDayNumberText(input_.difference, result);
  if (result == kReadValid) {
    SetBox(request.outcome.boxes.difference, input_.difference,
           GroupedNumber(lngDateDiff, request.options.thousands_separator));
    return true;
  }
  ShowRequestError(request, result == kReadNotValid ? reqmsg::DifferenceNotValid : reqmsg::DifferenceOutOfRange);
  return false;
}

bool ComputeEngine::StoreOrOverflow(Request& request, std::optional<int32_t> value, int32_t& target) {
  if (!value) {
    OverflowPath(request);
    return false;
  }
  target = *value;
  return true;
}

bool ComputeEngine::RunCountDaysBetween(Request& request) {
  return StoreOrOverflow(
      request, CountDaysBetween(FirstDateFields.DayNumber, SecondDateFields.DayNumber, CountOptions(request.options)),
      lngDateDiff);
}

bool ComputeEngine::RunSecondDateFromFirst(Request& request) {
  return StoreOrOverflow(request,
                         SecondDateFromFirst(FirstDateFields.DayNumber, lngDateDiff, CountOptions(request.options)),
                         SecondDateFields.DayNumber);
}

bool ComputeEngine::RunFirstDateFromSecond(Request& request) {
  return StoreOrOverflow(request,
                         FirstDateFromSecond(SecondDateFields.DayNumber, lngDateDiff, CountOptions(request.options)),
                         FirstDateFields.DayNumber);
}

void ComputeEngine::OpenLine(Request& request, Box given, DifferenceUnit unit, int32_t number) {
  request.Append(given == Box::First ? input_.first : input_.second, CalendarSuffixOf(request, given));
  const std::string_view difference = input_.difference;
  if (difference.empty()) return;  // a conversion opens with the date alone
  const int16_t language = request.options.language;
  const SignedText sign = SplitSign(difference, given == Box::First, language);
  request.Append(" ", sign.word, " ", sign.magnitude, " ",
                 unit == DifferenceUnit::Months ? MonthOrMonths(number, language) : DayOrDays(number, language));
}

void ComputeEngine::OverflowPath(Request& request) {
  const int16_t language = request.options.language;
  request.Append(TextOf(GeneralText::OutOfRange, language));
  request.Append(kLineBreak);
  request.outcome.message = Message{.text = RequestMessage(language, reqmsg::ResultOutOfRange),
                                    .title = std::string(TextOf(GeneralText::Error, language)) + "!",
                                    .kind = MessageKind::InputError};
}

void ComputeEngine::ShowRequestError(Request& request, int number) {
  const int16_t language = request.options.language;
  request.outcome.message = Message{.text = RequestMessage(language, number),
                                    .title = std::string(TextOf(GeneralText::Error, language)) + "!",
                                    .kind = MessageKind::InputError};
  request.outcome.validated = false;
}

void ComputeEngine::CloseLine(Request& request) { request.Append(kLineBreak); }

std::string TodayBoxText(CalendarCode code, const RequestOptions& options) {
  return WriteDayNumberInCalendar(TodayDayNumber(), code, options.TextOptions(), WriteStyle{.check_ordinal_range = false})
      .value_or(std::string());
}

}  // namespace qv
