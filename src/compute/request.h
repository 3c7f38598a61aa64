#pragma once
// What a Compute request takes (the three box texts and the window's options) and what it
// gives back for the window, the command-line program or a test to apply.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar_codes.h"
#include "holidays/holiday_rules.h"
#include "text/date_dispatch.h"
#include "text/language.h"
#include "text/string_utils.h"

namespace qv {

class WorkCalendar;

// Which date box a step works on.
enum class DateBox { First, Second };

// What the number in the difference box counts.
enum class DifferenceUnit : int16_t { Days, Months };

class WorkCalendar;

// The option values of the main window, as its first run sets them.
struct RequestOptions {
  CalendarCode first_calendar = cal::CE;
  CalendarCode second_calendar = cal::CE;
  DateFormat format = kFormatYMD;
  std::string date_separator = "-";
  std::string thousands_separator = ",";
  DifferenceUnit unit = DifferenceUnit::Days;  // what the difference box counts
  bool include_first_date = false;  // count the first date in a difference in days
  bool include_weekends = true;     // count Saturdays and Sundays
  bool verbose = true;              // longer reports
  Hyphen hyphen = Hyphen::With;     // ordinal and ISO week dates
  Language language = Language::English;
  // The work week and holidays that counting and adding use while weekend days are not counted;
  // null when none is in force (Monday to Friday, no holidays).
  std::shared_ptr<const WorkCalendar> work_calendar;
  // Lenient: the window's rule for pasted text. Strict (the command-line program's default):
  // an input that reads only when characters outside its form are left out is refused.
  TextReading text_reading = TextReading::Lenient;

  DateTextOptions TextOptions() const {
    return DateTextOptions{.format = format,
                           .date_separator = date_separator,
                           .thousands_separator = thousands_separator,
                           .hyphen = hyphen,
                           .reading = text_reading};
  }
};

// The texts of the three boxes.
struct BoxTexts {
  std::string first;
  std::string difference;
  std::string second;
};

// The same, seen where they are kept.
struct BoxViews {
  std::string_view first;
  std::string_view difference;
  std::string_view second;
};

// What a message box says, which decides its title and icon.
enum class MessageKind {
  InputError,   // an input or the computed result was refused; titled "Error!"
  Refusal,      // months mode cannot serve the request; titled with the Compute caption
  Information,  // a question or a note (the clear-one-box prompt)
};

struct Message {
  std::string text;
  std::string title;
  MessageKind kind = MessageKind::InputError;
};

// What the filled boxes ask for, decided before anything is dispatched.
enum class RequestStep {
  Computed,            // the request ran (or was refused); apply boxes, output and message
  NothingToDo,         // only the difference box is filled: the caller only places the focus
  AskWhichBoxToClear,  // all three boxes are filled: the caller empties one box and computes
                       // again, or drops the request; `message` holds the reason to show
};

// What the filled boxes ask for: one date converted, the days between two dates, or a date and a
// difference giving the other date.
enum class RequestKind : uint8_t { None, Conversion, Difference, Date };

// A positive difference between two dates of the same calendar in its largest units, as the
// result sentence shows it in parentheses: years and days, years, weeks and days, or years,
// months and days (months and weeks never both).
struct DifferenceBreakdown {
  int32_t years = 0, months = 0, weeks = 0, days = 0;
  friend bool operator==(const DifferenceBreakdown&, const DifferenceBreakdown&) = default;
};

// The result of a request as values, for programs that read it rather than the sentence.
struct ResultValues {
  RequestKind kind = RequestKind::None;  // set before the inputs are read, so also for a refusal
  bool computed = false;                 // the fields below hold the result
  // Conversion and Date: the result date as its box writes it (for a date converted into its own
  // calendar, the given date's normal form), in that box's calendar.
  std::string_view date;
  CalendarCode calendar = cal::CE;
  int32_t day_number = 0;
  int16_t day_of_week = 0;  // 0 = Sunday … 6 = Saturday
  // Difference: the days between the dates. Date: the difference as read, in `unit`.
  int32_t number = 0;
  DifferenceUnit unit = DifferenceUnit::Days;
  std::optional<DifferenceBreakdown> breakdown;  // Difference, when the sentence shows one
};

// What a request gives back. Its texts are views, of the texts given to the request where a box
// keeps its text and of the engine's own buffers elsewhere: valid until the engine's next
// request, and as long as the texts given live.
// The years of one holiday source a working-day result rests on that are projected from its rules,
// not yet published.
struct ProvisionalSourceYears {
  std::string_view source;  // the region's code or the file's name
  std::vector<holidays::YearSpan> years;
};

struct Outcome {
  RequestStep step = RequestStep::Computed;
  BoxViews boxes;                  // the box texts after the request (normal forms, results)
  std::string_view output;         // appended to the output window; lines end with CR LF
  std::optional<Message> message;  // at most one message box
  bool switch_to_days = false;     // the window selects days mode
  bool validated = true;           // false when an input was refused
  ResultValues result;
  // A working-day result refused because a holiday source does not know a year it needs: the
  // output line says so in place of the number (the window shows no message box for it).
  std::string_view refusal;
  // The sources and years the result rests on that are provisional (empty for most results).
  std::span<const ProvisionalSourceYears> provisional;
};

}  // namespace qv
