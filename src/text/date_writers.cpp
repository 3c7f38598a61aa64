#include "text/date_writers.h"

#include <array>
#include <optional>
#include <cstdint>
#include <string>

#include "text/string_utils.h"
#include "text/text_builder.h"

namespace qv {

namespace {

// A year of magnitude 10000 or more is grouped; below that it is written plain. Leap-week
// years are written the same way, with a leading '-' for negative years (the readers drop
// everything but digits and '-').
bool IsGroupedYear(int32_t year) { return year <= -10000 || year >= 10000; }

// The year: plain from its value, or its grouped text.
[[gnu::always_inline]] inline char* PutYear(char* out, int32_t year, std::string_view grouped) {
  return grouped.empty() ? put::Padded(out, year, 0) : put::Text(out, grouped);
}

CalendarCode CodeOfLetter(int32_t letter) {
  // A record whose letter is not Julian or Annus Novus counts as a Common Era date.
  if (IsJulianLetter(letter)) return cal::JC;
  if (letter == kLetterAnnusNovus) return cal::AN;
  return cal::CE;
}

// The separator that groups the digits of a CE or JC year: the thousands separator, or none
// when it is the date separator too (12345.01.01, not 12.345.01.01, which no reader takes).
std::string_view YearGroupSeparator(std::string_view date_separator, std::string_view thousands_separator) {
  // With the same character between digit groups and between fields (both ".") the reader
  // could not tell a group from a field, so such a year stays ungrouped.
  // Separators are single characters: compared by hand, which costs less than a memcmp call.
  const bool same = thousands_separator.size() == date_separator.size() &&
                    (thousands_separator.empty() ||
                     (thousands_separator.front() == date_separator.front() && thousands_separator == date_separator));
  return same ? std::string_view() : thousands_separator;
}

// A number and the least count of digits it is written with.
struct PaddedField {
  int32_t value;
  std::size_t width;
};

// Both forms of the leap-week calendar: the year, then two fields after a '-' each, and the
// calendar's code (LPW or LPM) with the suffix.
void FormatLeapDate(TextBuilder& text, int32_t year, PaddedField second, PaddedField third, CalendarCode code,
                    Suffix suffix, std::string_view group_separator) {
  std::optional<std::string> grouped_year;  // only a year of magnitude 10000 or more has one
  if (IsGroupedYear(year)) grouped_year = GroupedNumber(year, group_separator);
  const std::string_view grouped = grouped_year ? std::string_view(*grouped_year) : std::string_view();
  char* out = text.Reserve(DateRoom(grouped, 2));
  out = PutYear(out, year, grouped);
  *out++ = '-';
  out = put::Padded(out, second.value, second.width);
  *out++ = '-';
  out = put::Padded(out, third.value, third.width);
  if (suffix == Suffix::With) out = put::Text(out, CalendarSuffix(code));
  text.Commit(out);
}

}  // namespace

namespace {

// The date separator: one character (the usual one, a plain store), or a text of any length.
[[gnu::always_inline]] inline char* PutSeparator(char* out, char separator) {
  *out = separator;
  return out + 1;
}
[[gnu::always_inline]] inline char* PutSeparator(char* out, std::string_view separator) {
  return put::Text(out, separator);
}
constexpr std::size_t SeparatorSize(char) { return 1; }
constexpr std::size_t SeparatorSize(std::string_view separator) { return separator.size(); }

// A CE, JC or AN date with its year as `grouped` says (empty: plain from its value).
template <typename Separator>
[[gnu::always_inline]] inline void PutDate(TextBuilder& text, const DateFields& date, DateFormat format,
                                           Separator date_separator, std::string_view grouped, Suffix suffix) {
  char* out = text.Reserve(DateRoom(grouped, 2 * SeparatorSize(date_separator) + 2));
  if (format == kFormatYMD) {
    out = PutYear(out, date.Year, grouped);
    out = PutSeparator(out, date_separator);
    out = put::Padded(out, date.Month, 2);
    out = PutSeparator(out, date_separator);
    out = put::Padded(out, date.Day, 2);
  } else {
    // Formats other than DMY and YMD are taken as MDY, the format numbered 0.
    const bool day_first = format == kFormatDMY;
    out = put::Padded(out, day_first ? date.Day : date.Month, 2);
    out = PutSeparator(out, date_separator);
    out = put::Padded(out, day_first ? date.Month : date.Day, 2);
    out = PutSeparator(out, date_separator);
    // Year last: a negative year goes into parentheses so its sign is not read as a separator.
    if (date.Year < 0) *out++ = '(';
    out = PutYear(out, date.Year, grouped);
    if (date.Year < 0) *out++ = ')';
  }
  if (suffix == Suffix::With) out = put::Text(out, CalendarSuffix(CodeOfLetter(date.Calendar)));
  text.Commit(out);
}

// A year of magnitude 10000 or more, grouped. (Out of line: the usual year needs no text of its own.)
[[gnu::noinline]] void PutDateOfGroupedYear(TextBuilder& text, const DateFields& date, DateFormat format,
                                            std::string_view date_separator, std::string_view thousands_separator,
                                            Suffix suffix) {
  const std::string grouped = GroupedNumber(date.Year, YearGroupSeparator(date_separator, thousands_separator));
  PutDate(text, date, format, date_separator, grouped, suffix);
}

}  // namespace

void FormatDate(TextBuilder& text, const DateFields& date, DateFormat format, std::string_view date_separator,
                std::string_view thousands_separator, Suffix suffix) {
  // Annus Novus dates are always written year first with '-'.
  if (date.Calendar == kLetterAnnusNovus) {
    format = kFormatYMD;
    date_separator = "-";
  }
  if (IsGroupedYear(date.Year)) return PutDateOfGroupedYear(text, date, format, date_separator, thousands_separator, suffix);
  // The separators of the settings are one character each: stored as one, without the length
  // tests of a text.
  if (date_separator.size() == 1) return PutDate(text, date, format, date_separator.front(), {}, suffix);
  PutDate(text, date, format, date_separator, {}, suffix);
}

void FormatOrdinalDate(TextBuilder& text, int32_t year, int16_t day_of_year, Hyphen hyphen) {
  char* out = text.Reserve(DateRoom({}, 1));
  out = put::Padded(out, year, 4);
  if (hyphen == Hyphen::With) *out++ = '-';
  out = put::Padded(out, day_of_year, 3);
  text.Commit(out);
}

void FormatLeapWeekDate(TextBuilder& text, const LeapWeekDate& date, Suffix suffix, std::string_view group_separator) {
  FormatLeapDate(text, date.Year, {date.Week, 2}, {date.Weekday, 1}, cal::LPW, suffix, group_separator);
}

void FormatLeapMonthDate(TextBuilder& text, const LeapWeekDate& date, Suffix suffix, std::string_view group_separator) {
  FormatLeapDate(text, date.Year, {date.Month, 2}, {date.DayOfMonth, 2}, cal::LPM, suffix, group_separator);
}

}  // namespace qv
