#pragma once
// Readers of date and number texts. Every reader answers any text with a result code:
// 1 valid, 0 not valid, -1 well formed but out of range; none fails on any input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "calendar/date_fields.h"
#include "calendar/digit_run.h"
#include "calendar/iso_ordinal.h"
#include "calendar/leap_week.h"

namespace qv {

inline constexpr int16_t kReadValid = 1;
inline constexpr int16_t kReadNotValid = 0;
inline constexpr int16_t kReadOutOfRange = -1;

inline constexpr std::size_t MaxInputLength = 18;
// A box in an added calendar takes the named forms too ("27 Vendémiaire an CCXXXIII"), and the
// notes the program writes ("15 Leap Second Month 2023, 癸卯年 闰二月十五, Year of the Rabbit").
inline constexpr std::size_t MaxNamedInputLength = 64;

// The readers take a text as a box takes pasted text: what lies outside the form of the date
// or number is left out, and the rest is read (so "2000-01-01 5" reads as 2000-01-15). A reader
// given a ReadFit also tells whether it had to do that. Part of the form, and so never counted:
// digit groups where the writers put them (in the group separator in force), a leading '+', the
// parentheses around a negative year written last. Counted: any other character left out (a
// letter, a blank, a comma out of place), and a field longer than its form allows (a day or
// month of three digits).
struct ReadFit {
  // The digit-group separator in force; none ("") stands for the comma.
  std::string_view group_separator = ",";
  bool altered = false;  // set by the reader, never cleared
  // Set by the CE and JC reader when the text is exactly what the writer makes of the date read,
  // with the same field order and separator: the short form with its year unpadded. Such a text
  // is its own normal form.
  bool as_written = false;
};

int16_t ParseDateText(std::string_view text, std::string_view separator, CalendarCode code,
                      DateFormat format, DateFields& date, ReadFit* fit = nullptr);
// Year, month and day of a date of another calendar, in the field order and separator of CE and
// JC dates; the month must exist in `days_in_month` and the day lie within it. Only the fields
// are filled (Calendar stays the Common Era letter); no day number.
int16_t ParseFieldsDate(std::string_view text, std::string_view separator, DateFormat format,
                        int16_t (*days_in_month)(int32_t year, int16_t month), int64_t year_limit, DateFields& date,
                        ReadFit* fit = nullptr);
int32_t ParseDayNumberText(std::string_view text, int16_t& result, ReadFit* fit = nullptr);
// Strict: an optional sign, digits and commas; also the program's own thousands separator
// where digit groups end (2.451.545 with "."), so that every day number it writes reads back.
// With a ReadFit, the commas and group marks must also stand where digit groups end, in the
// fit's group separator.
int16_t ParseWholeNumberText(std::string_view text, int32_t& number, std::string_view thousands_separator = ",",
                             ReadFit* fit = nullptr);
int16_t ParseOrdinalDate(std::string_view text, Hyphen hyphen, DateFields& date, ReadFit* fit = nullptr);
int16_t ParseIsoWeekDate(std::string_view text, IsoWeekDate& date, ReadFit* fit = nullptr);
int16_t ParseLeapWeekDate(std::string_view text, LeapWeekDate& date, ReadFit* fit = nullptr);
int16_t ParseLeapMonthDate(std::string_view text, LeapWeekDate& date, ReadFit* fit = nullptr);
int16_t OrdinalTextStyle(std::string_view text);
int16_t IsoTextStyle(std::string_view text);
// Removes from `text` every character that is not a digit, not '-' and not one of
// `extra_characters`, telling `dropped(position)` where each stood in the text as given.
template <typename Dropped>
void KeepDateCharacters(std::string& text, std::string_view extra_characters, Dropped&& dropped) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c) || c == '-' || extra_characters.find(c) != std::string_view::npos) {
      text[kept++] = c;
    } else {
      dropped(i);
    }
  }
  text.resize(kept);
}
// A date box's keys. `named_form`: the box's calendar is an added one, whose dates may name their
// month ("15 Nisan 5784", "Rabi' al-Awwal"): letters of any script (key 0, a character beyond
// ASCII), the apostrophe and the hyphen come through as well.
bool IsDateKeyAllowed(int16_t key, std::size_t length, std::size_t max_length,
                      std::string_view separator, bool iso_selected, bool named_form = false);

}  // namespace qv
