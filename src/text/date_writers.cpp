#include "text/date_writers.h"

#include <cstdint>
#include <limits>
#include <string>

#include "calendar/clock.h"
#include "calendar/day_numbers.h"
#include "text/string_utils.h"

namespace qv {

namespace {

// A sign for negative values, then at least `width` digits (leading zeros); never cut.
std::string Padded(int64_t value, std::size_t width) {
  const bool negative = value < 0;
  std::string digits = std::to_string(negative ? -value : value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return negative ? "-" + digits : digits;
}

// Years of the leap-week calendar: plain below 10000 in magnitude, grouped from there on
// with a leading '-' for negative years (the readers drop everything but digits and '-').
std::string LeapWeekYearText(int32_t year, std::string_view group_separator) {
  if (year > -10000 && year < 10000) return std::to_string(year);
  return GroupedNumber(year, group_separator);
}

}  // namespace

std::string FormatDate(const DateFields& date, DateFormat format, std::string_view date_separator,
                       std::string_view thousands_separator, bool suffix) {
  // Annus Novus dates are always written year first with '-'.
  if (date.Calendar == kLetterAnnusNovus) {
    format = kFormatYMD;
    date_separator = "-";
  }
  const std::string day = Padded(date.Day, 2);
  const std::string month = Padded(date.Month, 2);
  std::string year = std::to_string(date.Year);
  if (date.Year > 9999 || date.Year < -9999) year = InsertThousandsSeparators(year, thousands_separator);

  const std::string sep(date_separator);
  std::string text;
  if (format == kFormatYMD) {
    text = year + sep + month + sep + day;
  } else {
    // Year last: a negative year goes into parentheses so its sign is not read as a separator.
    if (date.Year < 0) year = "(" + year + ")";
    // Formats other than DMY and YMD are taken as MDY, the format numbered 0.
    text = format == kFormatDMY ? day + sep + month + sep + year : month + sep + day + sep + year;
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
  const std::string dash = hyphen == 1 ? "-" : "";
  return std::to_string(date.Year) + dash + "W" + Padded(date.Week, 2) + dash + std::to_string(date.Weekday);
}

std::string FormatOrdinalDate(int32_t year, int16_t day_of_year, int16_t hyphen) {
  return Padded(year, 4) + (hyphen == 1 ? "-" : "") + Padded(day_of_year, 3);
}

std::string FormatLeapWeekDate(const LeapWeekDate& date, bool suffix, std::string_view group_separator) {
  std::string text = LeapWeekYearText(date.Year, group_separator) + "-" + Padded(date.Week, 2) + "-" +
                     std::to_string(date.Weekday);
  if (suffix) text += " LPW";
  return text;
}

std::string FormatLeapMonthDate(const LeapWeekDate& date, bool suffix, std::string_view group_separator) {
  std::string text = LeapWeekYearText(date.Year, group_separator) + "-" + Padded(date.Month, 2) + "-" +
                     Padded(date.DayOfMonth, 2);
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
