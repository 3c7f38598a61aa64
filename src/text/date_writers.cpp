#include "text/date_writers.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "calendar/civil.h"
#include "calendar/clock.h"
#include "calendar/day_numbers.h"
#include "text/string_utils.h"
#include "text/text_builder.h"

namespace qv {

namespace {

// A year of magnitude 10000 or more is grouped; below that it is written plain. Leap-week
// years are written the same way, with a leading '-' for negative years (the readers drop
// everything but digits and '-').
void AddYear(TextBuilder& text, int32_t year, std::string_view group_separator) {
  if (year > -10000 && year < 10000) {
    text.Decimal(year);
  } else {
    text.Add(GroupedNumber(year, group_separator));
  }
}

CalendarCode CodeOfLetter(int32_t letter) {
  // A record whose letter is not Julian or Annus Novus counts as a Common Era date.
  if (letter == kLetterJulian) return cal::JC;
  if (letter == kLetterAnnusNovus) return cal::AN;
  return cal::CE;
}

}  // namespace

std::string_view CalendarSuffix(CalendarCode code) {
  // " " and the text code of the code table; ORD names no calendar after its date.
  static constexpr std::array<std::string_view, cal::kCount> kSuffixes{" CE",  " JC",  " JDN", " AN",  "",
                                                                      " TLW", " ISO", " LPW", " LPM", " ARC"};
  if (code < 0 || code >= cal::kCount) return {};
  return kSuffixes[static_cast<std::size_t>(code)];
}

std::string_view YearGroupSeparator(std::string_view date_separator, std::string_view thousands_separator) {
  // With the same character between digit groups and between fields (both ".") the reader
  // could not tell a group from a field, so such a year stays ungrouped.
  // Separators are single characters: compared by hand, which costs less than a memcmp call.
  const bool same = thousands_separator.size() == date_separator.size() &&
                    (thousands_separator.empty() ||
                     (thousands_separator.front() == date_separator.front() && thousands_separator == date_separator));
  return same ? std::string_view() : thousands_separator;
}

void BuildDate(TextBuilder& text, const DateFields& date, DateFormat format, std::string_view date_separator,
               std::string_view thousands_separator, bool suffix) {
  // Annus Novus dates are always written year first with '-'.
  if (date.Calendar == kLetterAnnusNovus) {
    format = kFormatYMD;
    date_separator = "-";
  }
  // The usual date, a year from 1000 to 9999 with one-character separators ("2024-03-05"), is
  // ten characters written at once, two digits at a time from the table of pairs.
  const bool usual = date_separator.size() == 1 && date.Year >= 1000 && date.Year <= 9999 && date.Month >= 0 &&
                     date.Month <= 99 && date.Day >= 0 && date.Day <= 99;
  if (char* const out = usual ? text.Room(10) : nullptr) {
    const char separator = date_separator.front();
    const auto pair = [](int32_t value) { return kDigitPairs + 2 * value; };  // value in [0, 99]
    if (format == kFormatYMD) {  // 2024-03-05
      std::memcpy(out, pair(date.Year / 100), 2);
      std::memcpy(out + 2, pair(date.Year % 100), 2);
      out[4] = separator;
      std::memcpy(out + 5, pair(date.Month), 2);
      out[7] = separator;
      std::memcpy(out + 8, pair(date.Day), 2);
    } else {  // 05-03-2024 (DMY) or 03-05-2024 (MDY, and any other format)
      std::memcpy(out, pair(format == kFormatDMY ? date.Day : date.Month), 2);
      out[2] = separator;
      std::memcpy(out + 3, pair(format == kFormatDMY ? date.Month : date.Day), 2);
      out[5] = separator;
      std::memcpy(out + 6, pair(date.Year / 100), 2);
      std::memcpy(out + 8, pair(date.Year % 100), 2);
    }
    if (suffix) text.Add(CalendarSuffix(CodeOfLetter(date.Calendar)));
    return;
  }
  thousands_separator = YearGroupSeparator(date_separator, thousands_separator);
  if (format == kFormatYMD) {
    AddYear(text, date.Year, thousands_separator);
    text.Add(date_separator).Padded(date.Month, 2).Add(date_separator).Padded(date.Day, 2);
  } else {
    // Formats other than DMY and YMD are taken as MDY, the format numbered 0.
    if (format == kFormatDMY) {
      text.Padded(date.Day, 2).Add(date_separator).Padded(date.Month, 2);
    } else {
      text.Padded(date.Month, 2).Add(date_separator).Padded(date.Day, 2);
    }
    text.Add(date_separator);
    // Year last: a negative year goes into parentheses so its sign is not read as a separator.
    if (date.Year < 0) text.Add('(');
    AddYear(text, date.Year, thousands_separator);
    if (date.Year < 0) text.Add(')');
  }
  if (suffix) text.Add(CalendarSuffix(CodeOfLetter(date.Calendar)));
}

void BuildIsoWeekDate(TextBuilder& text, const IsoWeekDate& date, int16_t hyphen) {
  // The usual date, "2024-W05-3" (year 1000 … 9999, hyphens), is ten characters written at once,
  // two digits at a time from the table of pairs.
  const bool usual = hyphen == 1 && date.Year >= 1000 && date.Year <= 9999 && date.Week >= 0 && date.Week <= 99 &&
                     date.Weekday >= 0 && date.Weekday <= 9;
  if (char* const out = usual ? text.Room(10) : nullptr) {
    std::memcpy(out, kDigitPairs + 2 * (date.Year / 100), 2);      // year / 100 in [10, 99]
    std::memcpy(out + 2, kDigitPairs + 2 * (date.Year % 100), 2);  // [0, 99]
    out[4] = '-';
    out[5] = 'W';
    std::memcpy(out + 6, kDigitPairs + 2 * date.Week, 2);  // [0, 99]
    out[8] = '-';
    out[9] = static_cast<char>('0' + date.Weekday);  // [0, 9]
    return;
  }
  text.Decimal(date.Year);
  if (hyphen == 1) text.Add('-');
  text.Add('W').Padded(date.Week, 2);
  if (hyphen == 1) text.Add('-');
  text.Decimal(date.Weekday);
}

void BuildOrdinalDate(TextBuilder& text, int32_t year, int16_t day_of_year, int16_t hyphen) {
  text.Padded(year, 4);
  if (hyphen == 1) text.Add('-');
  text.Padded(day_of_year, 3);
}

void BuildLeapWeekDate(TextBuilder& text, const LeapWeekDate& date, bool suffix, std::string_view group_separator) {
  AddYear(text, date.Year, group_separator);
  text.Add('-').Padded(date.Week, 2).Add('-').Decimal(date.Weekday);
  if (suffix) text.Add(CalendarSuffix(cal::LPW));
}

void BuildLeapMonthDate(TextBuilder& text, const LeapWeekDate& date, bool suffix, std::string_view group_separator) {
  AddYear(text, date.Year, group_separator);
  text.Add('-').Padded(date.Month, 2).Add('-').Padded(date.DayOfMonth, 2);
  if (suffix) text.Add(CalendarSuffix(cal::LPM));
}

std::string FormatDate(const DateFields& date, DateFormat format, std::string_view date_separator,
                       std::string_view thousands_separator, bool suffix) {
  TextBuilder text;
  BuildDate(text, date, format, date_separator, thousands_separator, suffix);
  return text.Text();
}

std::string FormatIsoWeekDate(const IsoWeekDate& date, int16_t hyphen) {
  TextBuilder text;
  BuildIsoWeekDate(text, date, hyphen);
  return text.Text();
}

std::string FormatOrdinalDate(int32_t year, int16_t day_of_year, int16_t hyphen) {
  TextBuilder text;
  BuildOrdinalDate(text, year, day_of_year, hyphen);
  return text.Text();
}

std::string FormatLeapWeekDate(const LeapWeekDate& date, bool suffix, std::string_view group_separator) {
  TextBuilder text;
  BuildLeapWeekDate(text, date, suffix, group_separator);
  return text.Text();
}

std::string FormatLeapMonthDate(const LeapWeekDate& date, bool suffix, std::string_view group_separator) {
  TextBuilder text;
  BuildLeapMonthDate(text, date, suffix, group_separator);
  return text.Text();
}

std::string TodayPlusDaysText(int16_t offset, DateFormat format, std::string_view date_separator,
                              CalendarCode code, std::string_view thousands_separator) {
  // A clock set to the very edge of the day numbers must not carry the sum past 32 bits.
  DateFields date;
  CalendarLetterForCode(code, date);  // codes without a letter keep 0, which counts as CE
  date.DayNumber = civil::ClampToInt32(int64_t{TodayDayNumber()} + offset);
  DayNumberToDate(date);
  return FormatDate(date, format, date_separator, thousands_separator, false);
}

}  // namespace qv
