#pragma once
// What the main window does to a single date box outside a Compute request: convert its date
// when the box's calendar changes, move the second date into the first box, step a date by
// whole days, fill in today's date, and follow the hyphen option. Also the texts of the today
// panel. Each operation returns the edit for the window to apply; none shows anything itself.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "compute/request.h"
#include "lang/program_text.h"
#include "text/date_dispatch.h"

namespace qv {

// An edit of one box: its new text (when `replace_text`), text to append to the output window
// and at most one message box.
struct BoxEdit {
  bool replace_text = false;
  std::string text;
  std::string output;
  std::optional<Message> message;
};

// The box's date, read in `old_calendar`, written in `new_calendar` (the box's calendar option
// was changed). Nothing to convert (an empty text, the same calendar) and an ordinal date
// outside years 1 to 9999 fail silently; an unreadable text fails with the message that the
// calendar choice is undone, a day outside an added calendar's range with the message that names
// the range. On failure the window puts the option back to `old_calendar`.
struct BoxConversion {
  bool converted = false;
  std::string text;
  std::optional<Message> message;
};
BoxConversion ConvertBoxDate(std::string_view text, CalendarCode old_calendar, CalendarCode new_calendar,
                             DateBox box, const DateTextOptions& options, const ProgramTextStore& texts,
                             Language language);

// "Second -> First": the second box's date written in the first box's calendar (no ordinal
// range test). Success replaces the first box; failure leaves it and carries the message.
BoxEdit MoveSecondDateToFirst(std::string_view second_text, CalendarCode second_calendar,
                              CalendarCode first_calendar, const DateTextOptions& options, Language language);

// The day stepper: the box's date moved by `days`, in the box's calendar. An unreadable text
// and a result outside the day numbers (or outside the ordinal years) leave the text as it is.
BoxEdit ShiftBoxDate(DateBox box, std::string_view text, CalendarCode calendar, int64_t days,
                     const DateTextOptions& options, Language language);

// The hyphen option rewrites an ordinal or ISO week date already typed into the style it now
// asks for; any other text is only trimmed.
std::string RestyleForHyphen(std::string_view text, Hyphen hyphen);

// The four texts of the today panel.
struct TodayPanelTexts {
  std::string today_phrase;  // "Today is Saturday,"
  std::string today_date;    // "2012-12-31 CE"; in German with "der " before CE and JC dates
  std::string week_phrase;   // "A week from today is"
  std::string week_date;
};
// `calendar` is one of the cycle below or an added calendar; any other code shows CE.
TodayPanelTexts TodayPanel(CalendarCode calendar, Language language, const DateTextOptions& options);
// The panel's first phrase for a weekday (0 = Sunday … 6 = Saturday): "Today is Saturday,".
std::string TodayPhrase(Language language, int dayOfWeek);

// The panel's calendar cycle: CE, ISO, JC, ORD, LPM, LPW, JDN, then the added calendars the user
// chose to see there (`more`, in their order; none by default) and round again. A code outside
// the cycle stays where it is.
CalendarCode NextTodayCalendar(CalendarCode calendar, std::span<const CalendarCode> more = {});
CalendarCode PreviousTodayCalendar(CalendarCode calendar, std::span<const CalendarCode> more = {});

// 31 December 2012 in `format` with `separator`: the caption of a separator option.
std::string SeparatorSample(DateFormat format, std::string_view separator);

}  // namespace qv
