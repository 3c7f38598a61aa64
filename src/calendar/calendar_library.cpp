#include "calendar/calendar_library.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <optional>
#include <string>

#include "calendar/civil.h"
#include "calendar/digit_run.h"

namespace qv {
namespace {

using civil::ClampToInt32;

// Annus Novus: a year of ten months on Common Era year boundaries; months 1 … 9 have
// 36 days, month 10 takes the remaining 41 or 42.
constexpr int32_t kAnnusNovusMonthDays = 36;
int64_t AnnusNovusMonthLength(int64_t year, int32_t month) {
  if (month < 1 || month > 10) return 0;
  if (month < 10) return kAnnusNovusMonthDays;
  return (civil::IsGregorianLeap(year) ? 366 : 365) - 9 * kAnnusNovusMonthDays;  // 41 or 42
}

int64_t MonthLengthForLetter(int64_t year, int32_t month, int32_t letter) {
  if (letter == kLetterAnnusNovus) return AnnusNovusMonthLength(year, month);
  if (month < 1 || month > 12) return 0;
  return civil::MonthLength(year, month, IsJulianLetter(letter));
}

int64_t DayNumberOfFields(const DateFields& date) {
  if (date.Calendar == kLetterAnnusNovus) {
    return civil::GregorianToDayNumber(date.Year, 1, 1) +
           int64_t{date.Month - int64_t{1}} * kAnnusNovusMonthDays + date.Day - 1;
  }
  return civil::ToDayNumber(date.Year, date.Month, date.Day, IsJulianLetter(date.Calendar));
}

// One numeric field of a date text: optional '-' (only where allowed) and at least one digit.
struct Field {
  bool ok = false;
  bool negative = false;
  int64_t value = 0;  // saturated far beyond every limit (DigitRunValue)
};

enum class Sign { NotAllowed, MinusAllowed };

// The characters [begin, end) of `text`, for positions the caller found in it (begin ≤ end ≤
// size): no range check to pay, unlike substr.
std::string_view Between(std::string_view text, std::size_t begin, std::size_t end) {
  return std::string_view(text.data() + begin, end - begin);
}

[[gnu::always_inline]] inline Field ReadField(std::string_view text, Sign sign) {
  Field field;
  if (sign == Sign::MinusAllowed && !text.empty() && text[0] == '-') {
    field.negative = true;
    text.remove_prefix(1);
  }
  const std::optional<int64_t> value = DigitRunValue(text);
  if (!value) return field;
  field.value = *value;
  field.ok = true;
  return field;
}

// Where the separators and the '-' of a date text stand, counted in the text as read (the
// characters skipped left out), and that text.
struct DateTextLayout {
  static constexpr std::size_t kNone = std::string_view::npos;
  char separator = '-';
  bool mixed = false;                               // two different such characters: not a date
  std::size_t separators = 0;                       // characters `separator` (when it is not '-')
  std::size_t minus_signs = 0;                      // characters '-'
  std::size_t separator_at[2] = {kNone, kNone};     // the first two separators
  std::size_t minus_at[3] = {kNone, kNone, kNone};  // the first three '-'
  std::string_view text;                            // the text as read
};

// Notes a character at `at` of the text as read: its place among the first `room`, and its count.
[[gnu::always_inline]] inline void Place(std::size_t at, std::size_t& count, std::size_t* places, std::size_t room) {
  if (count < room) places[count] = at;
  ++count;
}

// The one scan of a date text. Eight bytes at a time: the '-' and the separators of each block
// come from bit masks and only the first few of each are placed one by one; a block with a
// character to skip (rare: a letter, a blank, a parenthesis) is walked character by character,
// and the first such character starts the copy `kept` that is then the text as read.
DateTextLayout LayoutOf(std::string_view text, const DateTextRules& rules, std::string& kept) {
  DateTextLayout layout;
  const bool named = rules.separator.has_value();
  if (named) layout.separator = *rules.separator;
  std::size_t skipped = 0;  // characters skipped so far: each later place moves back by as many
  std::size_t from = 0;     // the first character not yet copied into `kept`
  for (std::size_t first = 0; first < text.size(); first += 8) {
    const std::size_t bytes = text.size() - first < 8 ? text.size() - first : 8;
    const uint64_t word = digit_run::LoadBlock(text, first);
    const uint64_t non_digits = digit_run::NonDigitBits(word, bytes);
    if (non_digits == 0) continue;
    const auto at = [first](uint64_t bits) { return first + static_cast<std::size_t>(std::countr_zero(bits)) / 8; };
    uint64_t minus = digit_run::ByteBits(word, '-', bytes);
    uint64_t others = non_digits & ~minus;
    uint64_t separators = 0;
    if (others != 0) {
      if (!named && layout.separator == '-') layout.separator = text[at(others)];
      if (layout.separator != '-') separators = digit_run::ByteBits(word, layout.separator, bytes);
      others &= ~separators;
    }
    if (others != 0) {
      if (!named) {
        layout.mixed = true;
        return layout;
      }
      for (uint64_t bits = non_digits; bits != 0; bits &= bits - 1) {
        const std::size_t i = at(bits);
        const char c = text[i];
        if (c == '-') {
          Place(i - skipped, layout.minus_signs, layout.minus_at, 3);
        } else if (c == layout.separator) {
          Place(i - skipped, layout.separators, layout.separator_at, 2);
        } else {
          if (rules.skipped != nullptr) rules.skipped->Skipped(i);
          if (skipped++ == 0) kept.reserve(text.size());
          kept.append(text.data() + from, i - from);
          from = i + 1;
        }
      }
      continue;
    }
    for (; separators != 0 && layout.separators < 2; separators &= separators - 1) {
      layout.separator_at[layout.separators++] = at(separators) - skipped;
    }
    layout.separators += digit_run::CountBytes(separators);
    for (; minus != 0 && layout.minus_signs < 3; minus &= minus - 1) layout.minus_at[layout.minus_signs++] = at(minus) - skipped;
    layout.minus_signs += digit_run::CountBytes(minus);
  }
  if (skipped == 0) {
    layout.text = text;
  } else {
    kept.append(text.data() + from, text.size() - from);
    layout.text = kept;
  }
  return layout;
}

}  // namespace

void jdn_to_euro_date(DateFields& date) {
  const civil::YearMonthDay ymd = civil::FromDayNumber(date.DayNumber, IsJulianLetter(date.Calendar));
  date.Year = static_cast<int32_t>(ymd.year);  // every 32-bit day number lies within ±5.9 million years
  date.Month = ymd.month;
  date.Day = ymd.day;
}

int32_t euro_day_of_week(int32_t day_number) { return civil::DayOfWeek(day_number); }

int32_t annus_novus_date_to_jdn(DateFields& date) {
  date.DayNumber = ClampToInt32(DayNumberOfFields(date));
  return date.DayNumber;
}

void jdn_to_annus_novus_date(DateFields& date) {
  // Every 32-bit day number lies within ±5.9 million years: the year fits 32 bits.
  const int32_t year = ClampToInt32(civil::DayNumberToGregorian(date.DayNumber).year);
  const int64_t day_of_year = date.DayNumber - civil::GregorianToDayNumber(year, 1, 1);  // 0 … 365
  int64_t month = day_of_year / kAnnusNovusMonthDays;
  if (month > 9) month = 9;
  date.Year = year;
  date.Month = static_cast<int32_t>(month + 1);
  date.Day = static_cast<int32_t>(day_of_year - month * kAnnusNovusMonthDays + 1);
}

int32_t str_to_date(std::string_view given, int16_t date_format, DateFields& date, int32_t letter,
                    const DateTextRules& rules) {
  std::string kept;
  const DateTextLayout layout = LayoutOf(given, rules, kept);
  if (layout.mixed) return kStrToDateMalformed;
  const std::string_view text = layout.text;
  const bool year_first = date_format == 2;  // YMD; MDY and DMY put the year last
  std::string_view fields[3];
  if (layout.separator != '-') {
    if (layout.separators != 2) return kStrToDateMalformed;
    fields[0] = Between(text, 0, layout.separator_at[0]);
    fields[1] = Between(text, layout.separator_at[0] + 1, layout.separator_at[1]);
    fields[2] = Between(text, layout.separator_at[1] + 1, text.size());
  } else {
    // '-' both separates and signs the year: a leading '-' of the year belongs to it.
    const std::size_t skip = year_first && !text.empty() && text[0] == '-' ? 1 : 0;
    if (layout.minus_signs < skip + 2) return kStrToDateMalformed;
    const std::size_t first = layout.minus_at[skip];
    const std::size_t second = layout.minus_at[skip + 1];
    fields[0] = Between(text, 0, first);
    fields[1] = Between(text, first + 1, second);
    fields[2] = Between(text, second + 1, text.size());
  }
  const int year_index = year_first ? 0 : 2;
  const int month_index = date_format == 0 ? 0 : 1;
  const int day_index = date_format == 1 ? 0 : (date_format == 0 ? 1 : 2);
  const Field year = ReadField(fields[year_index], Sign::MinusAllowed);
  const Field month = ReadField(fields[month_index], Sign::NotAllowed);
  const Field day = ReadField(fields[day_index], Sign::NotAllowed);
  if (!year.ok || !month.ok || !day.ok) return kStrToDateMalformed;
  if (year.value > rules.year_limit) return kStrToDateOutOfRange;
  const int64_t year_value = year.negative ? -year.value : year.value;
  const int32_t month_value = static_cast<int32_t>(month.value > 99 ? 0 : month.value);
  // A wider year limit than 32 bits would hold is not given: the year is narrowed only within it.
  const int64_t month_days =
      rules.days_in_month != nullptr
          ? (civil::FitsInt32(year_value) ? rules.days_in_month(static_cast<int32_t>(year_value), static_cast<int16_t>(month_value)) : 0)
          : MonthLengthForLetter(year_value, month_value, letter);
  if (month_days == 0) return kStrToDateBadMonth;
  if (day.value < 1 || day.value > month_days) return kStrToDateBadDay;
  date.Year = static_cast<int32_t>(year_value);
  date.Month = static_cast<int32_t>(month.value);
  date.Day = static_cast<int32_t>(day.value);
  date.Calendar = letter;
  if (rules.day_and_month_digits != nullptr) {
    *rules.day_and_month_digits = std::max(fields[month_index].size(), fields[day_index].size());
  }
  return 0;
}

int32_t days_elapsed(const DateFields& later, const DateFields& earlier, int32_t& status) {
  const int64_t difference = DayNumberOfFields(later) - DayNumberOfFields(earlier);
  if (!civil::FitsInt32(difference)) {
    status = kDaysElapsedOverflow;
    return 0;
  }
  return static_cast<int32_t>(difference);
}

void separate_thousands(std::string_view digits, int32_t separator, char (&out)[20]) {
  constexpr std::size_t kRoom = sizeof(out) - 1;  // one place for the closing zero
  std::size_t written = 0;
  auto put = [&](char c) {
    if (written < kRoom) out[written++] = c;
  };
  std::size_t first_digit = 0;
  if (!digits.empty() && digits[0] == '-') {
    put('-');
    first_digit = 1;
  }
  const std::size_t count = digits.size() - first_digit;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) put(static_cast<char>(separator));
    put(digits[first_digit + i]);
  }
  out[written] = '\0';
}

}  // namespace qv
