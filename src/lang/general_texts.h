#pragma once
// The general text table: short captions, labels and words used inside reports, each held in
// English and German, plus the names of the weekdays and months. The texts are constants of the
// program; nothing here reads a file or keeps mutable state.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/language.h"

namespace qv {

// One enumerator per entry of the table; each entry is known by its English text.
enum class GeneralText : uint8_t {
  AWeekFromTodayIs,             // "A week from today is"
  Calendar,                     // "Calendar"
  CancelThisOperation,          // "Cancel this operation"
  CeJcDateFormat,               // "CE/JC date format"
  CeJcDateSeparator,            // "CE/JC date separator"
  Clear,                        // "Clear"
  ClickToChangeCalendar,        // "Click to change calendar"
  Close,                        // "Close"
  CommonEra,                    // "Common Era"
  CommonEraCalendar,            // "Common Era Calendar"
  CommonEraDate,                // "Common Era date"
  Compute,                      // "Compute"
  Continue,                     // "Continue"
  CopyToClipboard,              // "Copy to clipboard"
  CopySelectedTextToClipboard,  // "Copy selected text to clipboard"
  CountWeekendDays,             // "Count weekend days in days-between-dates"
  DateDifference,               // "Date difference"
  Day,                          // "Day"
  Days,                         // "Days"
  DisplayIsoWeekDates,          // "Display ISO Week dates"
  DisplayMonth,                 // "Display month"
  DisplayNextMonth,             // "Display next month"
  DisplayPreviousMonth,         // "Display previous month"
  English,                      // "English"
  Enlarge,                      // "Enlarge"
  Error,                        // "Error"
  ExcludingFirstDate,           // "excluding 1st date"
  FirstDate,                    // "First date"
  FirstDayOfWeek,               // "First day of week"
  German,                       // "German"
  Help,                         // "Help"
  HyphenInOrdinalAnd,           // "Hyphen in ordinal and"
  InIsoWeekDates,               // "in ISO Week dates"
  IncludeFirstDate,             // "Include first date in days-beween-dates"
  IncludingFirstDate,           // "including 1st date"
  InvalidInput,                 // "Invalid input"
  IsoWeekDate,                  // "ISO Week date"
  Julian,                       // "Julian"
  JulianCalendar,               // "Julian Calendar"
  JulianCalendarDate,           // "Julian Calendar date"
  JulianDayNumber,              // "Julian day number"
  LeapWeekMonthDate,            // "Tarvell Leap Week month date"
  LeapWeekWeekDate,             // "Tarvell Leap Week week date"
  Minus,                        // "minus"
  Month,                        // "Month"
  Months,                       // "Months"
  None,                         // "None"
  NotCountingWeekendDays,       // "not counting weekend days"
  OnlineDocumentation,          // "Online documentation"
  Or,                           // "or"
  OrdinalDate,                  // "Ordinal date"
  OutOfRange,                   // "Out of Range"
  OutputWindow,                 // "Output window"
  OutputWindowIsEmpty,          // "The output window is empty."
  PleaseSpecifyYear,            // "Please specify year"
  Plus,                         // "plus"
  Quit,                         // "Quit"
  Reset,                        // "Reset"
  SaveResultsOnQuit,            // "Save results on quit"
  SecondDate,                   // "Second date"
  SecondToFirst,                // "Second -> First"
  ThisIsA,                      // "This is a"
  ThousandsSeparator,           // "Thousands separator"
  To,                           // "To"
  Today,                        // "Today"
  TodayIs,                      // "Today is"
  Verbose,                      // "Verbose"
  Week,                         // "Week"
  Weeks,                        // "Weeks"
  WithFinalDigitOfYear,         // "with final digit of year"
  Year,                         // "Year"
  Years,                        // "Years"
  OrdinalPattern,               // "yyyyddd"
  OrdinalPatternWithHyphen,     // "yyyy-ddd"
  Count
};

inline constexpr std::size_t kGeneralTextCount = static_cast<std::size_t>(GeneralText::Count);

// The table is a compile-time constant: there is nothing to build at start-up, and it can never
// change after it.

// The text of an entry in a language. Every code other than German gives English, so a stray
// stored language code can never index outside the table.
std::string_view TextOf(GeneralText entry, Language language);

// Full weekday name, 0 = Sunday .. 6 = Saturday; empty for any other day.
std::string_view WeekdayName(Language language, int dayOfWeek);

// Full month name, 1 = January .. 12 = December; empty for any other month.
std::string_view MonthName(Language language, int month);

// Plain ASCII lower-casing of the whole text; other bytes stay as they are.
std::string LowerCase(std::string_view text);

}  // namespace qv
