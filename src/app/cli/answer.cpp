#include "app/cli/answer.h"

#include <charconv>
#include <cstdint>
#include <span>
#include <utility>

#include "calendar/added_calendars.h"
#include "calendar/calendar_codes.h"
#include "calendar/mayan.h"
#include "holidays/regions.h"
#include "lang/general_texts.h"
#include "lang/request_messages.h"
#include "text/added_dates.h"
#include "text/calendar_names.h"
#include "text/string_utils.h"
#include "text/utf8.h"

namespace qv::cli {
namespace {

// A message on one line after `prefix`, appended to `line`: each line break becomes one blank.
void AppendOneLine(std::string_view prefix, std::string_view message, std::string& line) {
  line.append(prefix);
  for (std::size_t i = 0; i < message.size(); ++i) {
    const char c = message[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < message.size() && message[i + 1] == '\n') ++i;
      line.push_back(' ');
    } else {
      line.push_back(c);
    }
  }
}

void AppendNumber(std::string& out, int64_t value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, static_cast<std::size_t>(end - digits));
}

std::string_view KindName(RequestKind kind) {
  switch (kind) {
    case RequestKind::Conversion: return "conversion";
    case RequestKind::Difference: return "difference";
    case RequestKind::Date: return "date";
    case RequestKind::None: break;
  }
  return {};
}

// For a date of an added calendar, its fields: "fields" with year, month and day and the month's
// English name, or the Mayan "long_count".
void AppendAddedCalendarFields(std::string& out, CalendarCode calendar, int32_t day_number) {
  if (calendar == cal::MAY) {
    const LongCount count = LongCountFromDayNumber(day_number);
    out.append(",\"long_count\":[");
    AppendNumber(out, count.baktun);
    for (const int16_t unit : {count.katun, count.tun, count.uinal, count.kin}) {
      out.push_back(',');
      AppendNumber(out, unit);
    }
    out.push_back(']');
    return;
  }
  const std::optional<AddedDateNumbers> date = AddedDateNumbersOf(calendar, day_number);
  if (!date) return;
  // The numbers as the calendar's users write them: the year of the Japanese era, the month's
  // number with the lunisolar leap mark apart, the Bahá'í Ayyám-i-Há as month 0.
  out.append(",\"fields\":{\"year\":");
  AppendNumber(out, date->year);
  out.append(",\"month\":");
  AppendNumber(out, date->month.number);
  out.append(",\"day\":");
  AppendNumber(out, date->day);
  if (date->lunisolar) out.append(date->month.leap ? ",\"leap_month\":true" : ",\"leap_month\":false");
  if (!date->era.empty()) {
    out.append(",\"era\":");
    AppendJsonString(out, date->era);
  }
  out.append("},\"month_name\":");
  AppendJsonString(out, AddedMonthName(calendar, date->counted.year, date->counted.month, Language::English));
}

// A result that rests on projected holidays: "provisional":true and, for each source, its years as
// [first, last] pairs.
void AppendProvisional(std::string& out, std::span<const ProvisionalSourceYears> provisional) {
  if (provisional.empty()) return;
  out.append(",\"provisional\":true,\"provisional_sources\":[");
  for (size_t i = 0; i < provisional.size(); ++i) {
    if (i > 0) out.push_back(',');
    out.append("{\"source\":");
    AppendJsonString(out, provisional[i].source);
    out.append(",\"years\":[");
    for (size_t y = 0; y < provisional[i].years.size(); ++y) {
      if (y > 0) out.push_back(',');
      out.push_back('[');
      AppendNumber(out, provisional[i].years[y].first);
      out.push_back(',');
      AppendNumber(out, provisional[i].years[y].last);
      out.push_back(']');
    }
    out.append("]}");
  }
  out.push_back(']');
}

// One JSON object: the request as given, its kind, and the result or the refusal's message.
// `result` is null, or holds a computed result when `error` is empty. (Out of line, like the
// refusals: the sentence path of a long batch stays small enough to inline what it calls.)
[[gnu::noinline]] void AppendJsonAnswer(const BoxViews& request, RequestKind kind, const ResultValues* result, std::string_view error,
                      Language language, std::string& out, std::span<const ProvisionalSourceYears> provisional = {}) {
  out.append("{\"request\":{\"first\":");
  AppendJsonString(out, request.first);
  out.append(",\"difference\":");
  AppendJsonString(out, request.difference);
  out.append(",\"second\":");
  AppendJsonString(out, request.second);
  out.append("},\"kind\":");
  if (kind == RequestKind::None) {
    out.append("null");
  } else {
    out.push_back('"');
    out.append(KindName(kind));
    out.push_back('"');
  }
  if (!error.empty()) {
    std::string line;
    AppendOneLine("", error, line);
    out.append(",\"error\":");
    AppendJsonString(out, line);
  } else if (result != nullptr && result->computed) {
    if (kind == RequestKind::Difference) {
      out.append(",\"days\":");
      AppendNumber(out, result->number);
      if (result->breakdown) {
        const DifferenceBreakdown& parts = *result->breakdown;
        out.append(",\"breakdown\":{\"years\":");
        AppendNumber(out, parts.years);
        out.append(",\"months\":");
        AppendNumber(out, parts.months);
        out.append(",\"weeks\":");
        AppendNumber(out, parts.weeks);
        out.append(",\"days\":");
        AppendNumber(out, parts.days);
        out.push_back('}');
      }
    } else {
      out.append(",\"date\":");
      AppendJsonString(out, result->date);
      out.append(",\"calendar\":\"");
      out.append(CalendarTextCode(result->calendar));
      out.append("\",\"day_number\":");
      AppendNumber(out, result->day_number);
      out.append(",\"weekday\":");
      AppendJsonString(out, WeekdayName(language, result->day_of_week));
      out.append(",\"iso_weekday\":");
      AppendNumber(out, result->day_of_week == 0 ? 7 : result->day_of_week);  // 1 = Monday … 7 = Sunday
      AppendAddedCalendarFields(out, result->calendar, result->day_number);
      if (kind == RequestKind::Date) {
        out.append(result->unit == DifferenceUnit::Months ? ",\"months\":" : ",\"days\":");
        AppendNumber(out, result->number);
      }
    }
    AppendProvisional(out, provisional);
  }
  out.push_back('}');
}

[[gnu::noinline, gnu::cold]] void Refuse(const BoxViews& boxes, RequestKind kind, std::string_view message,
                                         OutputMode mode, Language language, std::string& out, Answer& answer) {
  answer.refused = true;
  if (mode == OutputMode::Json) return AppendJsonAnswer(boxes, kind, nullptr, message, language, out);
  AppendOneLine("error: ", message, out);
  AppendOneLine("", message, answer.diagnostic);
  answer.line_is_error = true;
}

[[gnu::cold]] void AppendProvisionalDiagnostic(std::span<const ProvisionalSourceYears> provisional, Answer& answer) {
  std::string text = "provisional:";
  for (const ProvisionalSourceYears& source : provisional) {
    text.append(" ").append(source.source).append(" ").append(holidays::KnownYearsText(source.years, Language::English));
  }
  AppendOneLine("", text, answer.diagnostic);
}

void ResetAnswer(Answer& answer) {
  answer.diagnostic.clear();
  answer.line_is_error = false;
  answer.refused = false;
}

}  // namespace

void AnswerRequest(ComputeEngine& engine, const BoxViews& boxes, const RequestOptions& options, OutputMode mode,
                   std::string& out, Answer& answer, bool known_text) {
  ResetAnswer(answer);
  const Language language = options.language;
  // A box whose bytes are not text is not a valid input of that box, checked in the order
  // the request reads the boxes.
  if (!known_text) {
    const int refusal = !IsValidUtf8(boxes.second)       ? reqmsg::SecondDateNotValid
                        : !IsValidUtf8(boxes.difference) ? reqmsg::DifferenceNotValid
                        : !IsValidUtf8(boxes.first)      ? reqmsg::FirstDateNotValid
                                                         : -1;
    if (refusal >= 0) return Refuse(boxes, RequestKind::None, RequestMessage(language, refusal), mode, language, out, answer);
  }

  const Outcome& outcome = engine.Compute(boxes.first, boxes.difference, boxes.second, options);
  const ResultValues& result = outcome.result;
  if (outcome.step != RequestStep::Computed) [[unlikely]] {
    // The window would ask which box to clear; a script cannot be asked, so it gets the reason.
    // The window ignores a difference alone; a script is told that it asked nothing.
    const std::string_view reason = outcome.step == RequestStep::AskWhichBoxToClear
                                        ? std::string_view(outcome.message->text)
                                        : DateMissingMessage(language);
    return Refuse(boxes, RequestKind::None, reason, mode, language, out, answer);
  }
  const std::string_view message = outcome.message ? std::string_view(outcome.message->text) : std::string_view();
  // A working-day result that needs a year a holiday source does not know: refused, naming it.
  if (!outcome.refusal.empty()) [[unlikely]] {
    return Refuse(boxes, result.kind, outcome.refusal, mode, language, out, answer);
  }
  if (mode == OutputMode::Sentence) [[likely]] {
    // The line without the line breaks that end it in the output window.
    std::string_view line = outcome.output;
    if (line.ends_with(kLineBreak)) line.remove_suffix(kLineBreak.size());  // the usual end: one test
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    if (line.empty() && outcome.message) return Refuse(boxes, result.kind, message, mode, language, out, answer);
    out.append(line);
  } else if (mode == OutputMode::Value) {
    // Nothing computed: a refusal, or an overflow (the sentence's "Out of Range").
    if (!result.computed) return Refuse(boxes, result.kind, message, mode, language, out, answer);
    out.append(result.kind == RequestKind::Difference ? outcome.boxes.difference : result.date);
    // The value alone cannot say that it rests on projected holidays: standard error does.
    if (!outcome.provisional.empty()) [[unlikely]] AppendProvisionalDiagnostic(outcome.provisional, answer);
  } else {
    AppendJsonAnswer(boxes, result.kind, &result, message, language, out, outcome.provisional);
    answer.refused = !outcome.validated || !result.computed || outcome.message.has_value();
    return;
  }
  if (outcome.message) {
    AppendOneLine("", message, answer.diagnostic);
    answer.refused = true;
  }
  answer.refused = answer.refused || !outcome.validated;
}

void AnswerBlankLine(const BoxViews& boxes, OutputMode mode, std::string& out) {
  if (mode == OutputMode::Json) AppendJsonAnswer(boxes, RequestKind::None, nullptr, {}, Language::English, out);
}

void AnswerRefusal(const BoxViews& boxes, std::string_view message, OutputMode mode, std::string& out,
                   Answer& answer) {
  ResetAnswer(answer);
  Refuse(boxes, RequestKind::None, message, mode, Language::English, out, answer);
}

}  // namespace qv::cli
