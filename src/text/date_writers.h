#pragma once
// Writers of every date form; their output is what the readers accept.
#include <array>
#include <cstdint>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "calendar/date_fields.h"
#include "calendar/iso_ordinal.h"
#include "calendar/leap_week.h"
#include "text/text_builder.h"

namespace qv {

// What a writer appends after a date that names its calendar: a blank and the calendar's text
// code (" CE", " LPW"); empty for ORD (an ordinal date names no calendar) and unknown codes.
// The one place that decides how the suffix reads. (In the header, as the ISO writer below:
// every result line asks it twice, and the call cost more than the look-up.)
[[gnu::always_inline]] inline std::string_view CalendarSuffix(CalendarCode code) {
  // " " and the text code of the code table; ORD names no calendar after its date.
  static constexpr std::array<std::string_view, cal::kCount> kSuffixes{
      " CE",  " JC",  " JDN", " AN",  "",     " TLW", " ISO", " LPW", " LPM",
      " ARC", " HEB", " ISL", " PER", " FRR", " COP", " ETH", " MAY", " IND",
      " CHN", " KOR", " VNM", " BAH", " UMQ", " JPN", " ROC", " THA", " RJU"};
  if (code < 0 || code >= cal::kCount) return {};
  return kSuffixes[static_cast<std::size_t>(code)];
}

// Whether a writer appends CalendarSuffix after the date.
enum class Suffix : bool { Without, With };

// The one writer of each date form, adding to a text under construction.
void FormatDate(TextBuilder& text, const DateFields& date, DateFormat format, std::string_view date_separator,
                std::string_view thousands_separator, Suffix suffix);
// Room for a date of three numbers of at most put::kPaddedMax characters (or the grouped year),
// `pieces` further characters and a suffix.
constexpr std::size_t DateRoom(std::string_view grouped_year, std::size_t pieces) {
  return 3 * put::kPaddedMax + grouped_year.size() + pieces + 4;
}

[[gnu::always_inline]] inline void FormatIsoWeekDate(TextBuilder& text, const IsoWeekDate& date, Hyphen hyphen) {
  char* out = text.Reserve(DateRoom({}, 3));
  out = put::Padded(out, date.Year, 0);
  if (hyphen == Hyphen::With) *out++ = '-';
  *out++ = 'W';
  out = put::Padded(out, date.Week, 2);
  if (hyphen == Hyphen::With) *out++ = '-';
  out = put::Padded(out, date.Weekday, 0);
  text.Commit(out);
}
void FormatOrdinalDate(TextBuilder& text, int32_t year, int16_t day_of_year, Hyphen hyphen);
// Years of magnitude 10000 or more are grouped with `group_separator` (the program's own
// thousands separator stands in for the regional number format).
void FormatLeapWeekDate(TextBuilder& text, const LeapWeekDate& date, Suffix suffix, std::string_view group_separator);
void FormatLeapMonthDate(TextBuilder& text, const LeapWeekDate& date, Suffix suffix, std::string_view group_separator);

}  // namespace qv
