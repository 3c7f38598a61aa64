#pragma once
// The settings file qrv.usr: the 15 records that carry the main window's options, and with
// "Save output" the texts of its four boxes, from one run to the next.
//
// Layout (each record ends with CR LF; numbers in plain decimal, texts between double quotes):
//    1  language                      0
//    2  date format, separator code, thousands code      2,45,44
//    3  today calendar, first calendar, second calendar  0,0,0
//    4  include first date            0
//    5  include weekends              1
//    6  verbose                       1
//    7  hyphen                        1
//    8  save output                   1
//    9  first day of the month window "Sun"
//   10  calendar of the month window  "CE"
//   11  first-date box                ""
//   12  date-difference box           ""
//   13  second-date box               ""
//   14  output window (may hold CR LF) ""
//   15  months (1) or days (0)        0
//
// A double quote inside a text is written doubled ("") and read back as one quote, so every
// text survives; a text without quotes is written exactly as above.
//
// Reading and writing never throw for anything found on disk; reading takes at most
// kMaxSettingsFileBytes, so a huge or binary file costs little and starts on the defaults.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "compute/month_grid.h"
#include "compute/request.h"
#include "settings/atomic_file.h"
#include "settings/stored_text.h"

namespace qv {

inline constexpr std::string_view kSettingsFileName = "qrv.usr";

// A settings file is a few hundred bytes plus the saved output; anything larger than this was
// not written by us and is not read at all.
inline constexpr std::size_t kMaxSettingsFileBytes = std::size_t{64} << 20;  // 64 MiB

// Character codes stored on line 2.
inline constexpr int32_t kDashCode = '-';   // 45
inline constexpr int32_t kSlashCode = '/';  // 47
inline constexpr int32_t kDotCode = '.';    // 46
inline constexpr int32_t kCommaCode = ',';  // 44
inline constexpr int32_t kNoThousandsCode = 0;

// The records as they stand in the file. Numbers keep whatever the file held (saturated to the
// 32-bit range); InterpretSettings turns them into choices the window can apply.
// The defaults are those of a first run.
struct StoredSettings {
  int32_t language = 0;                       // line 1
  int32_t date_format = kFormatYMD;           // line 2: 0 MDY, 1 DMY, 2 YMD
  int32_t date_separator = kDashCode;         // line 2: 45, 47 or 46
  int32_t thousands_separator = kCommaCode;   // line 2: 44, 46 or 0 for none
  int32_t today_calendar = cal::CE;           // line 3 (CalendarCode values)
  int32_t first_calendar = cal::CE;           // line 3
  int32_t second_calendar = cal::CE;          // line 3
  int32_t include_first_date = 0;             // line 4 (check-box value 0 or 1)
  int32_t include_weekends = 1;               // line 5
  int32_t verbose = 1;                        // line 6
  int32_t hyphen = 1;                         // line 7
  int32_t save_output = 1;                    // line 8
  std::string first_day_of_week = "Sun";      // line 9: "Sun" or "Mon"
  std::string month_calendar = "CE";          // line 10: "CE" or "JC"
  std::string first_date;                     // line 11
  std::string date_difference;                // line 12
  std::string second_date;                    // line 13
  std::string output;                         // line 14, lines ending in CR LF
  int32_t months = 0;                         // line 15: 1 months, 0 days

  friend bool operator==(const StoredSettings&, const StoredSettings&) = default;
};

// ---- Writing ---------------------------------------------------------------------------------

// The whole file. Lines 11 to 14 are written as empty texts ("") when save_output is 0.
std::string FormatSettingsFile(const StoredSettings& settings);

// The number of bytes FormatSettingsFile gives, without building the text.
std::size_t FormattedSize(const StoredSettings& settings);

// Makes the file fit the reader: when FormatSettingsFile(settings) would be larger than
// `limit`, the saved output keeps only its newest whole lines, followed by the line `note`
// (which says so), and every earlier copy of a note among `earlier_notes` is dropped from the
// kept lines, so the note stands there once. True when the output was cut. A file that still
// does not fit (the other records alone are too large) is left to WriteSettingsFile to refuse.
bool FitSavedOutput(StoredSettings& settings, std::string_view note, std::initializer_list<std::string_view> earlier_notes,
                    std::size_t limit = kMaxSettingsFileBytes);

// EFBIG in `error`: more than the reader takes.
using SettingsWriteResult = FileWriteResult;

// Writes the file with WriteFileAtomically (never half-written, through a symbolic link, the
// reason of a failure kept). A text larger than kMaxSettingsFileBytes, which the reader would
// refuse, writes nothing.
SettingsWriteResult WriteSettingsFile(const std::string& path, const StoredSettings& settings);

// ---- Reading ---------------------------------------------------------------------------------

enum class SettingsReadStatus : int16_t {
  Complete,           // all 15 records read
  MonthsLineMissing,  // lines 1 to 14 read, line 15 missing or unreadable: they stand, days mode
  Missing,            // no file at the path (or an empty path)
  Unreadable,         // the file could not be opened or read, or is not a regular file
  TooLarge,           // larger than kMaxSettingsFileBytes
  Incomplete,         // ended early, or a record among lines 1 to 14 does not hold its items
};

// True when nothing read stands and the caller applies the first-run defaults.
constexpr bool UsesDefaults(SettingsReadStatus status) {
  return status != SettingsReadStatus::Complete && status != SettingsReadStatus::MonthsLineMissing;
}

// True when a file is there but was refused: the next Quit must not replace it unseen.
constexpr bool IsRefused(SettingsReadStatus status) {
  return status == SettingsReadStatus::Unreadable || status == SettingsReadStatus::TooLarge ||
         status == SettingsReadStatus::Incomplete;
}

struct SettingsReadResult {
  SettingsReadStatus status = SettingsReadStatus::Missing;
  // What was read. Equal to StoredSettings{} when UsesDefaults(status); months is 0 when line
  // 15 is missing.
  StoredSettings settings;
};

// Reads the records from text.
//  - Records end with CR LF (a bare LF or CR is taken too); items are separated by commas;
//    blanks around an item are ignored.
//  - An item is a quoted text (a doubled quote inside stands for one quote; CR LF inside is
//    part of the text) or the bare text up to the next comma or line end.
//  - Every number, on any line, is the leading numeric part of its item text (blanks, an
//    optional sign, digits); a text without one gives 0; values beyond 32 bits saturate.
//  - A record that holds more or fewer items than its line has, or a quoted text without its
//    closing quote, counts as unreadable. Records after line 15 are ignored.
// Status is Complete, MonthsLineMissing or Incomplete.
SettingsReadResult ParseSettingsText(std::string_view text);

// Reads the file at `path`: Missing when there is none, Unreadable when it cannot be read or is
// not a regular file (a folder, a pipe), TooLarge above kMaxSettingsFileBytes, otherwise what
// ParseSettingsText gives for its content.
SettingsReadResult ReadSettingsFile(const std::string& path);

// The leading numeric part of a text: leading blanks, an optional "+" or "-", then digits up
// to the first other character; 0 when there are no digits; saturated to the int32_t range.
int32_t LeadingNumber(std::string_view text);

// ---- Choices the window applies --------------------------------------------------------------

// WeekStart and MonthCalendar are the month window's own choices (compute/month_grid.h);
// DifferenceUnit is the request's (compute/request.h).

// How each of the four box texts was stored (stored_text.h), so that Quit writes it back alike.
struct BoxTextEncodings {
  TextEncoding first_date = TextEncoding::Utf8;
  TextEncoding date_difference = TextEncoding::Utf8;
  TextEncoding second_date = TextEncoding::Utf8;
  TextEncoding output = TextEncoding::Utf8;

  friend bool operator==(const BoxTextEncodings&, const BoxTextEncodings&) = default;
};

// The stored records turned into the options of the main window and the month window, with
// every value that matches no choice replaced by its first-run default.
struct SettingsChoices {
  Language language = Language::English;
  DateFormat date_format = kFormatYMD;
  std::string_view date_separator = "-";       // "-", "/" or "."
  std::string_view thousands_separator = ",";  // ",", "." or "" (none)
  CalendarCode today_calendar = cal::CE;       // one of the seven the user can choose
  CalendarCode first_calendar = cal::CE;
  CalendarCode second_calendar = cal::CE;
  bool include_first_date = false;
  bool include_weekends = true;
  bool verbose = true;
  Hyphen hyphen = Hyphen::With;
  bool save_output = true;
  WeekStart week_start = WeekStart::Sunday;
  MonthCalendar month_calendar = MonthCalendar::CommonEra;
  // The box texts in UTF-8, whatever the file held.
  std::string first_date;
  std::string date_difference;
  std::string second_date;
  std::string output;
  BoxTextEncodings encodings;
  DifferenceUnit unit = DifferenceUnit::Days;

  friend bool operator==(const SettingsChoices&, const SettingsChoices&) = default;
};

// Fallbacks: language other than 0/1 -> 0; date format 0 MDY, 1 DMY, else YMD; separator 46
// ".", 47 "/", else "-"; thousands 0 none, 46 ".", else ","; a calendar (today, first, second)
// that is not a user calendar -> CE; a check-box value 0 clear, 1 ticked, anything else that
// box's default; Monday only for exactly "Mon"; Julian only for exactly "JC"; months only for 1.
// Box texts that are not UTF-8 are read as Windows-1252 (DecodeStoredText).
// Takes the records by value so that a caller can move the box texts in.
SettingsChoices InterpretSettings(StoredSettings stored);

// The records for the current choices, as Quit writes them: the separators become their
// character codes (an empty thousands separator 0), the box texts go back into the encoding
// they were read in (EncodeStoredText), the rest is stored as it stands.
StoredSettings StoreSettings(SettingsChoices choices);

// ---- Requests made from the choices ----------------------------------------------------------

// The options of a Compute request for these choices: the one place where an option of the
// window becomes an option of the engine. The work calendar is not a choice of this file and
// stays null; the window adds the one in force.
RequestOptions RequestOptionsFrom(const SettingsChoices& choices);

// How dates are read and written under these choices. The separators are views of the choices'
// own, which always name static texts ("-", "/", ".", ",", ""), so the result outlives `choices`.
DateTextOptions TextOptionsFrom(const SettingsChoices& choices);

}  // namespace qv
