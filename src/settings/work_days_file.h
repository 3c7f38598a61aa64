#pragma once
// The window's working days, kept between runs in a file of their own beside qrv.usr (which keeps
// exactly its 15 records): the work week, the built-in region and the holiday files.
//
//   # Quorvan: working days
//   [WorkDays]
//   WorkWeek=1111100
//   Region=DE-BY
//   HolidayFile=2,45,44,/home/anna/Feiertage.txt
//   HolidayFile=2,45,44,/home/anna/Schulferien.ics
//   HolidayKinds=law
//
// WorkWeek: seven digits from Monday to Sunday, 1 a working day (any form WorkWeek::Parse reads
// is taken). Region: a built-in region's code, or empty for none. HolidayFile, once per file in
// the order chosen: the date format, the date separator's and the thousands separator's codes
// that the file's dates are read in (as qrv.usr's line 2 stores them: 0 MDY, 1 DMY, 2 YMD; 45
// "-", 47 "/", 46 "."; 44 ",", 46 ".", 0 none), then the file's absolute path, in which "%", CR
// and LF are written %25, %0D and %0A. HolidayKinds=law (written only then): count the public
// holidays by law alone, not the legal rest days and customary closing days an office keeps too. Lines end with LF (CR LF is read too); blank lines and
// lines starting with "#" or ";" are skipped; keys this version does not know are skipped, so a
// later version's file still reads.
//
// The same file keeps the window's other choices of its own, each in a section after the working
// days. [Boxes]: a date box left in an added calendar, which qrv.usr (holding the described codes
// alone) keeps as a CE date; the calendar by its code and the box's text as typed, escaped as a
// path is:
//
//   [Boxes]
//   FirstCalendar=HEB
//   FirstText=15 Nisan 5784
//
// A box in a described calendar writes nothing here. [Today]: the added calendars the today
// panel's cycle goes on into after JDN, in their order, and the one the panel was left at (qrv.usr
// keeps CE for it). [Month]: the calendar the month window shows beneath each day:
//
//   [Today]
//   MoreCalendars=HEB,ISL
//   Calendar=HEB
//   [Month]
//   AlsoShow=HEB
//
// [Files]: the folder the holiday files were last added from or exported to, where the file
// dialogs open next time; an absolute path, escaped as a path is:
//
//   [Files]
//   Folder=/home/anna/Feiertage
//
// Each section is written only when it holds a choice. A section this version does not know is
// skipped.
//
// Reading never throws for anything found on disk; a value that cannot be read makes the whole
// file damaged, and the caller starts on the defaults.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/atomic_file.h"
#include "calendar/calendar_codes.h"

namespace qv {

inline constexpr std::string_view kWorkDaysFileName = "qrv-workdays.ini";
// Far more than any hand-made file of a few holiday files needs.
inline constexpr std::size_t kMaxWorkDaysFileBytes = std::size_t{1} << 20;

// A holiday file and the date options its list of dates is read in (an iCalendar file ignores
// them). A list is always read in the options it was chosen in, so a later change of the window's
// date format cannot make it unreadable.
struct HolidayFileEntry {
  std::string path;  // absolute
  DateFormat date_format = kFormatYMD;
  std::string date_separator = "-";       // "-", "/" or "."
  std::string thousands_separator = ",";  // ",", "." or empty
  friend bool operator==(const HolidayFileEntry&, const HolidayFileEntry&) = default;
};

// A date box in an added calendar: the calendar (CE when the box is in a described one) and the
// text as typed (empty when the output is not kept).
struct AddedBoxSetting {
  CalendarCode calendar = cal::CE;
  std::string text;
  friend bool operator==(const AddedBoxSetting&, const AddedBoxSetting&) = default;
};

struct WorkDaysSettings {
  uint8_t work_week = 0b0011111;  // bit 0 = Monday … bit 6 = Sunday; never 0
  std::string region;             // a built-in region's code as Regions() spells it, or empty
  std::vector<HolidayFileEntry> files;
  bool law_only = false;          // count the public holidays by law alone ("HolidayKinds=law")
  std::array<AddedBoxSetting, 2> boxes{};  // the first and the second date
  std::vector<CalendarCode> more_today_calendars{};  // added calendars only, each once
  CalendarCode today_calendar = cal::CE;           // an added calendar, or CE: what qrv.usr says
  CalendarCode month_also_show = cal::CE;          // an added calendar, or CE for none
  std::string holiday_folder{};                    // absolute, or empty for none yet
  friend bool operator==(const WorkDaysSettings&, const WorkDaysSettings&) = default;
};

// Monday to Friday, no region, no file, both boxes in described calendars, no added calendar for
// the today panel or the month window, no folder of holiday files yet: what a missing file means,
// so none is kept for it.
bool IsDefault(const WorkDaysSettings& settings);

std::string FormatWorkDaysFile(const WorkDaysSettings& settings);

enum class WorkDaysReadStatus : int16_t {
  Complete,
  Missing,     // no file (or an empty path)
  Unreadable,  // cannot be opened or read, or is not a regular file
  TooLarge,    // more than kMaxWorkDaysFileBytes
  Damaged,     // no [WorkDays] section first, or a value that cannot be read
};

struct WorkDaysReadResult {
  WorkDaysReadStatus status = WorkDaysReadStatus::Missing;
  WorkDaysSettings settings;  // the defaults unless Complete
};

WorkDaysReadResult ParseWorkDaysText(std::string_view text);
WorkDaysReadResult ReadWorkDaysFile(const std::string& path);

// Atomic (temporary file, flush, rename); false and the old file untouched on any failure.
FileWriteResult WriteWorkDaysFile(const std::string& path, const WorkDaysSettings& settings);

}  // namespace qv
