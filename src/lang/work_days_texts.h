#pragma once
// The window's texts for work weeks and holidays: the "Working days…" button and its note, the
// working-days dialog, the holiday list of the month window and their messages. They are our own
// texts (not the described general table), so German is written with its umlauts. A "&" marks
// the letter that Alt reaches.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/language.h"

namespace qv {

enum class WorkDaysText : uint8_t {
  WorkingDaysButton,   // "&Working days…"
  DialogTitle,         // "Working days"
  WorkWeek,            // "&Work week"
  Region,              // "Public &holidays of:"
  NoRegion,            // "(none)"
  HolidayFiles,        // "Holiday &files:"
  Add,                 // "&Add…"
  Remove,              // "&Remove"
  PreviewYear,         // "Holidays in &year:"
  DateColumn,          // "Date"
  WeekdayColumn,       // "Weekday"
  NameColumn,          // "Holiday"
  Preview,             // "Holidays of the chosen region and files"
  NoHolidaysChosen,    // "No holidays chosen: only the work week counts."
  NoneThisYear,        // the preview's year holds none of the chosen holidays
  AppliesWhen,         // when the choice is used
  Ok,                  // "OK"
  Cancel,              // "Cancel"
  NoWorkingDay,        // OK with no day ticked
  FilesLeftOut,        // start-up: holiday files that could not be read
  NotKept,             // the choice applies but could not be written
  ChooseFilesTitle,    // title of the file chooser
  FilterHolidayFiles,  // "Holiday files (*.ics *.txt *.rules)"
  FilterICalendar,     // "iCalendar files (*.ics)"
  FilterTextLists,     // "Holiday lists (*.txt)"
  FilterAllFiles,      // "All files (*)"
  MonthHolidays,       // "Holidays:"
  MonthNoHolidays,     // "No holidays in this month."
  MonthLegend,         // what bold and underlined day numbers mean
  MonthMarksName,      // accessible name of the month's holiday list
  NoteName,            // accessible name of the note beside the button
  RegionSearch,        // "&Search:" above the tree of regions
  RegionSearchHint,    // the search box's placeholder: what it finds
  RegionSearchName,    // accessible name of the search box
  RegionTree,          // accessible name of the tree of regions
  FilterRuleFiles,     // "Holiday rule files (*.rules)"
  ExportYears,         // "Export &calendar (.ics), years:"
  ExportTo,            // "to" between the export's two years
  ExportFirstName,     // accessible name of the export's first year
  ExportLastName,      // accessible name of the export's last year
  Export,              // "E&xport…"
  ExportTitle,         // title of the export's file chooser
  ExportNothing,       // Export with no holidays chosen
  ExportFailed,        // "%1: the file could not be written." (path)
  LawOnly,             // "Count public holidays by &law only"
  KnownYears,          // "%1 knows its holidays for %2." (code, years)
  ProvisionalYear,     // the preview's year is projected for a source (year, code)
  NotInUse,            // after the note while weekend days are counted: the choice is not used
  NoRegionFound,       // the region tree's line when the search finds nothing
  ExportWritten,       // "The holidays were exported to:\n%1" (path)
  Count
};

inline constexpr std::size_t kWorkDaysTextCount = static_cast<std::size_t>(WorkDaysText::Count);

// The text of an entry in a language (0 English, 1 German; any other code gives English).
std::string_view WorkDaysTextOf(WorkDaysText entry, Language language);

// Short weekday name, 0 = Sunday … 6 = Saturday: "Mon", "Tue" … in English, "Mo", "Di" … in
// German; empty for any other day.
std::string ShortWeekdayName(Language language, int day_of_week);

// A work week in a few characters. `mask`: bit 0 = Monday … bit 6 = Sunday. One run of days
// (also one that wraps past Sunday) is written from its first to its last day: "Mon–Fri",
// "Sun–Thu", "Mo–Fr"; a single day alone: "Sat"; other sets day by day from Monday on:
// "Mon, Tue, Thu". Empty for an empty mask.
std::string WorkWeekShortText(uint8_t mask, Language language);

// Whether "Count weekend days in days-between-dates" is ticked, which sets the working days aside.
enum class WeekendDays : uint8_t { NotCounted, Counted };

// The note beside the "Working days…" button: empty while the work week is Monday to Friday and
// no holiday source is chosen; otherwise the work week, the region's code and the number of
// holiday files: "Mon–Fri, DE-BY", "Sun–Thu", "Mo–Fr, AT, 2 Dateien". While weekend days are
// counted a note says that it is not in use: "Mon–Fri, DE-BY (not counted while weekend days are
// counted)".
std::string WorkDaysNoteText(uint8_t mask, std::string_view region, std::size_t file_count, Language language,
                             WeekendDays weekend_days = WeekendDays::NotCounted);

}  // namespace qv
