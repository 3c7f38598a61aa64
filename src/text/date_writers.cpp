#include "text/date_writers.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

#include "calendar/clock.h"
#include "calendar/day_numbers.h"
#include "text/string_utils.h"

namespace qv {

namespace {

// Plain decimal, appended in place (the writers run once per result line, so no temporaries).
void AppendDecimal(std::string& out, int64_t value) {
  char digits[24];
  const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, written.ptr);
}

// A sign for negative values, then at least `width` digits (leading zeros); never cut.
void AppendPadded(std::string& out, int64_t value, std::size_t width) {
  if (value < 0) {
    out.push_back('-');
    value = -value;  // the values written here are 32-bit, so the negation cannot overflow
  }
  char digits[24];
  const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, value);
  const auto count = static_cast<std::size_t>(written.ptr - digits);
  if (count < width) out.append(width - count, '0');
  out.append(digits, count);
}

// A year of magnitude 10000 or more is grouped; below that it is written plain.
void AppendYear(std::string& out, int32_t year, std::string_view group_separator) {
  if (year > -10000 && year < 10000) {
    AppendDecimal(out, year);
  } else {
    out.append(GroupedNumber(year, group_separator));
  }
}

// Leap-week years are grouped the same way, with a leading '-' for negative years (the
// readers drop everything but digits and '-').
void AppendLeapWeekYear(std::string& out, int32_t year, std::string_view group_separator) {
  AppendYear(out, year, group_separator);
}

}  // namespace

std::string FormatDate(const DateFields& date, DateFormat format, std::string_view date_separator,
                       std::string_view thousands_separator, bool suffix) {
  // Annus Novus dates are always written year first with '-'.
  if (date.Calendar == kLetterAnnusNovus) {
    format = kFormatYMD;
    date_separator = "-";
  }
  std::string text;
  auto append_day = [&] { AppendPadded(text, date.Day, 2); };
  auto append_month = [&] { AppendPadded(text, date.Month, 2); };
  if (format == kFormatYMD) {
    AppendYear(text, date.Year, thousands_separator);
    text.append(date_separator);
    append_month();
    text.append(date_separator);
    append_day();
  } else {
    // Formats other than DMY and YMD are taken as MDY, the format numbered 0.
    if (format == kFormatDMY) {
      append_day();
      text.append(date_separator);
      append_month();
    } else {
      append_month();
      text.append(date_separator);
      append_day();
    }
    text.append(date_separator);
    // Year last: a negative year goes into parentheses so its sign is not read as a separator.
    if (date.Year < 0) text.push_back('(');
    AppendYear(text, date.Year, thousands_separator);
    if (date.Year < 0) text.push_back(')');
  }
  if (suffix) {
    // A record whose letter is not Julian or Annus Novus counts as a Common Era date.
    if (date.Calendar == kLetterJulian) {
      text += " JC";
    } else if (date.Calendar == kLetterAnnusNovus) {
      text += " AN";
    } else {
      text += " CE";
    }
  }
  return text;
}

std::string FormatIsoWeekDate(const IsoWeekDate& date, int16_t hyphen) {
  std::string text;
  AppendDecimal(text, date.Year);
  if (hyphen == 1) text.push_back('-');
  text.push_back('W');
  AppendPadded(text, date.Week, 2);
  if (hyphen == 1) text.push_back('-');
  AppendDecimal(text, date.Weekday);
  return text;
}

std::string FormatOrdinalDate(int32_t year, int16_t day_of_year, int16_t hyphen) {
  std::string text;
  AppendPadded(text, year, 4);
  if (hyphen == 1) text.push_back('-');
  AppendPadded(text, day_of_year, 3);
  return text;
}

std::string FormatLeapWeekDate(const LeapWeekDate& date, bool suffix, std::string_view group_separator) {
  std::string text;
  AppendLeapWeekYear(text, date.Year, group_separator);
  text.push_back('-');
  AppendPadded(text, date.Week, 2);
  text.push_back('-');
  AppendDecimal(text, date.Weekday);
  if (suffix) text += " LPW";
  return text;
}

std::string FormatLeapMonthDate(const LeapWeekDate& date, bool suffix, std::string_view group_separator) {
  std::string text;
  AppendLeapWeekYear(text, date.Year, group_separator);
  text.push_back('-');
  AppendPadded(text, date.Month, 2);
  text.push_back('-');
  AppendPadded(text, date.DayOfMonth, 2);
  if (suffix) text += " LPM";
  return text;
}

std::string TodayPlusDaysText(int16_t offset, DateFormat format, std::string_view date_separator,
                              CalendarCode code, std::string_view thousands_separator) {
  // A clock set to the very edge of the day numbers must not carry the sum past 32 bits.
  int64_t day = static_cast<int64_t>(TodayDayNumber()) + offset;
  if (day > std::numeric_limits<int32_t>::max()) day = std::numeric_limits<int32_t>::max();
  if (day < std::numeric_limits<int32_t>::min()) day = std::numeric_limits<int32_t>::min();
  DateFields date;
  CalendarLetterForCode(code, date);  // codes without a letter keep 0, which counts as CE
  date.DayNumber = static_cast<int32_t>(day);
  DayNumberToDate(date);
  return FormatDate(date, format, date_separator, thousands_separator, false);
}

}  // namespace qv
