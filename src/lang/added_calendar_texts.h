#pragma once
// The window's words for the added calendars: their names in the "Other calendar" drop-downs and
// the captions of the controls that offer them. Beyond the described window, so kept apart from
// its text tables.
#include <string>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "text/language.h"

namespace qv {

enum class AddedCalendarText : uint8_t {
  OtherCalendar,  // "Other calendar:" — the option beside the drop-down
  OtherCalendarName,  // "Other calendar" — how a screen reader names the option and drop-down
  MoreCalendarsButton,  // "&More calendars…" — the help window's button that opens the dialog
  MoreCalendarsTitle,   // "More calendars" — the dialog's title
  MoreCalendarsNote,    // what the dialog's check boxes do
  MoreCalendarsOrder,   // "Order after JDN:" — before the chosen calendars in the order ticked
  MoreCalendarsNone,    // "none" — when none is ticked
  AlsoShow,             // "Also show:" — the month window's label before its drop-down
  AlsoShowName,         // "Also show" — the drop-down's name for a screen reader
  AlsoShowNone,         // "(none)" — the drop-down's first item
  AlsoShowMonths,       // "Months shown beneath the days" — the name of the months' label
};

std::string_view AddedCalendarTextOf(AddedCalendarText entry, Language language);

// "Hebrew" / "Hebräisch" … for the added calendars; empty for any other code.
std::string_view AddedCalendarName(CalendarCode code, Language language);

// Our own refusal of a date that an added calendar does not convert, naming the calendar and its
// range: "JPN (Japanese): this calendar converts dates from 1 January 1873 on."; for a calendar
// whose arithmetic is not there yet: "CHN (Chinese): this calendar is not yet available."
std::string CalendarRangeMessage(CalendarCode code, Language language);
// Whether `code` has such a message: an added calendar of a narrow range, or not available.
bool HasCalendarRangeMessage(CalendarCode code);

}  // namespace qv
