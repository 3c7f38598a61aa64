#include "compute/compute_engine.h"

#include <utility>

#include "calendar/calendar_codes.h"
#include "calendar/clock.h"
#include "compute/day_arithmetic.h"
#include "compute/request_state.h"
#include "lang/general_texts.h"
#include "lang/request_messages.h"
#include "text/date_readers.h"
#include "text/string_utils.h"

namespace qv {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr int kFirstDateNotValid = 1;
constexpr int kFirstDateOutOfRange = 3;
constexpr int kDifferenceNotValid = 4;
constexpr int kDifferenceOutOfRange = 5;
constexpr int kSecondDateNotValid = 6;
constexpr int kSecondDateOutOfRange = 8;
constexpr int kResultOutOfRange = 9;

DayCountOptions CountOptions(const RequestOptions& options) {
  return DayCountOptions{options.include_weekends, options.include_first_date};
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

const Outcome& ComputeEngine::Run(BoxTexts boxes, const RequestOptions& options) {
  const bool first = !boxes.first.empty();
  const bool difference = !boxes.difference.empty();
  const bool second = !boxes.second.empty();
  const bool conversion = (first != second) && !difference;
  no_date_diff_and_same_cal_ = conversion && options.first_calendar == options.second_calendar;
  // Only a difference, with no date to apply it to, is a days-mode request in either unit.
  if (!options.months || conversion || (difference && !first && !second)) {
    return DispatchDaysRequest(std::move(boxes), options);
  }
  return DispatchMonthsRequest(std::move(boxes), options);
}

const Outcome& ComputeEngine::Compute(BoxTexts boxes, const RequestOptions& options) {
  boxes.first = std::string(TrimBlanks(boxes.first));
  boxes.difference = std::string(TrimBlanks(boxes.difference));
  boxes.second = std::string(TrimBlanks(boxes.second));
  const bool first = !boxes.first.empty();
  const bool difference = !boxes.difference.empty();
  const bool second = !boxes.second.empty();
  if (!first && !difference && !second) {
    boxes.first = TodayBoxText(options.first_calendar, options);
  } else if (!first && !second) {
    return StopBeforeDispatch(std::move(boxes), RequestStep::NothingToDo, std::nullopt);
  } else if (first && difference && second) {
    return StopBeforeDispatch(
        std::move(boxes), RequestStep::AskWhichBoxToClear,
        Message{RequestMessage(options.language, reqmsg::BothDatesNeedEmptyDifference),
                std::string(TextOf(GeneralText::Error, options.language)) + "!", MessageKind::Information});
  }
  return Run(std::move(boxes), options);
}

const Outcome& ComputeEngine::StopBeforeDispatch(BoxTexts boxes, RequestStep step, std::optional<Message> message) {
  outcome_.step = step;
  outcome_.boxes = std::move(boxes);
  outcome_.output.clear();
  outcome_.message = std::move(message);
  outcome_.switch_to_days = false;
  outcome_.validated = step != RequestStep::AskWhichBoxToClear;
  return outcome_;
}

const Outcome& ComputeEngine::DispatchDaysRequest(BoxTexts boxes, const RequestOptions& options) {
  const bool first = !boxes.first.empty();
  const bool difference = !boxes.difference.empty();
  const bool second = !boxes.second.empty();
  Request request(std::move(boxes), options, outcome_);
  if (second) {
    if (!ValidateSecondDate(request)) return request.outcome;
    if (difference) {
      if (!ValidateDateDiff(request)) return request.outcome;
      if (!first && RunFirstDateFromSecond(request)) {
        OpenLine(request, false, false, lngDateDiff);
        DisplayFirstDate(request);
      }
    } else {
      lngDateDiff = 0;
      if (first) {
        if (!ValidateFirstDate(request)) return request.outcome;
        if (RunCountDaysBetween(request)) DisplayDateDiff(request);
      } else if (RunFirstDateFromSecond(request)) {
        OpenLine(request, false, false, lngDateDiff);
        DisplayFirstDate(request);
      }
    }
  } else if (difference) {
    if (!ValidateDateDiff(request)) return request.outcome;
    if (first) {
      if (!ValidateFirstDate(request)) return request.outcome;
      if (RunSecondDateFromFirst(request)) {
        OpenLine(request, true, false, lngDateDiff);
        DisplaySecondDate(request);
      }
    }
  } else if (first) {
    lngDateDiff = 0;
    if (!ValidateFirstDate(request)) return request.outcome;
    if (RunSecondDateFromFirst(request)) {
      OpenLine(request, true, false, lngDateDiff);
      DisplaySecondDate(request);
    }
  }
  CloseLine(request);
  return request.outcome;
}

const Outcome& ComputeEngine::DispatchMonthsRequest(BoxTexts boxes, const RequestOptions& options) {
  const bool first_filled = !boxes.first.empty();
  const bool second_filled = !boxes.second.empty();
  Request request(std::move(boxes), options, outcome_);
  const BoxTexts& typed = request.outcome.boxes;
  const int16_t language = options.language;
  auto refuse = [&](std::initializer_list<int16_t> numbers) -> const Outcome& {
    std::string text;
    for (const int16_t number : numbers) {
      if (!text.empty()) text.append(kLineBreak);
      text.append(GetProgramText(texts_, number, language));
    }
    request.outcome.message = Message{text, std::string(TextOf(GeneralText::Compute, language)), MessageKind::Refusal};
    request.outcome.validated = false;
    return request.outcome;
  };
  if (first_filled && second_filled) {
    // A difference in months between two dates is not offered: back to days.
    request.outcome.switch_to_days = true;
    return refuse({21, 22});
  }
  if (options.first_calendar != options.second_calendar) return refuse({23, 24});
  const CalendarCode calendar = options.first_calendar;
  if (calendar == cal::ISO || calendar == cal::JDN || calendar == cal::LPW || calendar == cal::ORD) {
    return refuse({25, 26, 27});
  }
  int16_t result = 0;
  const int32_t months = ParseDayNumberText(typed.difference, result);
  if (result != kReadValid) {
    ShowRequestError(request, result == kReadNotValid ? kDifferenceNotValid : kDifferenceOutOfRange);
    return request.outcome;
  }
  request.outcome.boxes.difference = GroupedNumber(months, options.thousands_separator);
  const bool leap_week = calendar == cal::LPM;
  const bool from_first = first_filled;
  if (from_first) {
    if (!ValidateFirstDate(request)) return request.outcome;
  } else if (!ValidateSecondDate(request)) {
    return request.outcome;
  }
  const DateFields& source = from_first ? FirstDateFields : SecondDateFields;
  const std::optional<DateFields> target = AddMonths(source, from_first ? months : -months, leap_week);
  if (!target) {
    OverflowPath(request);
  } else {
    (from_first ? SecondDateFields : FirstDateFields) = *target;
    OpenLine(request, from_first, true, months);
    if (from_first) {
      DisplaySecondDate(request);
    } else {
      DisplayFirstDate(request);
    }
  }
  CloseLine(request);
  return request.outcome;
}

bool ComputeEngine::ValidateFirstDate(Request& request) { return ValidateDate(request, true); }
bool ComputeEngine::ValidateSecondDate(Request& request) { return ValidateDate(request, false); }

bool ComputeEngine::ValidateDate(Request& request, bool first) {
  const CalendarCode calendar = first ? request.options.first_calendar : request.options.second_calendar;
  std::string& box = first ? request.outcome.boxes.first : request.outcome.boxes.second;
  DateFields& fields = first ? FirstDateFields : SecondDateFields;
  const DateReading reading = ReadDateInCalendar(box, calendar, request.text_options, JdnReading::Strict);
  if (reading.result != kReadValid) {
    const bool not_valid = reading.result == kReadNotValid;
    ShowRequestError(request, first ? (not_valid ? kFirstDateNotValid : kFirstDateOutOfRange)
                                    : (not_valid ? kSecondDateNotValid : kSecondDateOutOfRange));
    return false;
  }
  // JDN, ISO and LPW texts give a day number only; the other readers also give year, month
  // and day (the leap-week ones for LPM), which months and the breakdown read.
  if (calendar == cal::JDN || calendar == cal::ISO || calendar == cal::LPW) {
    fields.DayNumber = reading.fields.DayNumber;
  } else {
    fields = reading.fields;
  }
  // The normal form: the day number written back in the box's calendar.
  std::optional<std::string> normal =
      WriteDayNumberInCalendar(fields.DayNumber, calendar, request.text_options, WriteStyle{false, false});
  if (normal) box = std::move(*normal);
  std::string& with_cal = first ? first_date_with_cal_ : second_date_with_cal_;
  with_cal = box;
  if (calendar != cal::ORD) {
    with_cal.push_back(' ');
    with_cal.append(CalendarTextCode(calendar));
  }
  return true;
}

bool ComputeEngine::ValidateDateDiff(Request& request) {
  std::string& box = request.outcome.boxes.difference;
  if (box.empty()) {
    lngDateDiff = 0;
    return true;
  }
  int16_t result = 0;
  lngDateDiff = ParseDayNumberText(box, result);
  if (result == kReadValid) {
    box = GroupedNumber(lngDateDiff, request.options.thousands_separator);
    return true;
  }
  ShowRequestError(request, result == kReadNotValid ? kDifferenceNotValid : kDifferenceOutOfRange);
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

void ComputeEngine::OpenLine(Request& request, bool with_first_date, bool months, int32_t number) {
  request.Append(with_first_date ? first_date_with_cal_ : second_date_with_cal_);
  const std::string& difference = request.outcome.boxes.difference;
  if (difference.empty()) return;  // a conversion opens with the date alone
  const int16_t language = request.options.language;
  const SignedText sign = SplitSign(difference, with_first_date, language);
  request.Append(" ");
  request.Append(sign.word);
  request.Append(" ");
  request.Append(sign.magnitude);
  request.Append(" ");
  request.Append(months ? MonthOrMonths(number, language) : DayOrDays(number, language));
}

void ComputeEngine::OverflowPath(Request& request) {
  const int16_t language = request.options.language;
  request.Append(TextOf(GeneralText::OutOfRange, language));
  request.Append(kLineBreak);
  request.outcome.message = Message{RequestMessage(language, kResultOutOfRange),
                                    std::string(TextOf(GeneralText::Error, language)) + "!", MessageKind::ResultOverflow};
}

void ComputeEngine::ShowRequestError(Request& request, int number) {
  const int16_t language = request.options.language;
  request.outcome.message =
      Message{RequestMessage(language, number), std::string(TextOf(GeneralText::Error, language)) + "!", MessageKind::InputError};
  request.outcome.validated = false;
}

void ComputeEngine::CloseLine(Request& request) { request.Append(kLineBreak); }

std::string TodayBoxText(CalendarCode code, const RequestOptions& options) {
  return WriteDayNumberInCalendar(TodayDayNumber(), code, options.TextOptions(), WriteStyle{false, false})
      .value_or(std::string());
}

}  // namespace qv
