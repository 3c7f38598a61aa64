#include "text/date_readers.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "calendar/calendar_library.h"
#include "calendar/civil.h"
#include "calendar/day_numbers.h"
#include "calendar/digit_run.h"
#include "text/string_utils.h"

namespace qv {

namespace {

// A number with an optional leading sign; a lone sign has no value.
std::optional<int64_t> SignedValue(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::optional<int64_t> magnitude = DigitRunValue(text);
  if (!magnitude) return std::nullopt;
  return negative ? -*magnitude : *magnitude;
}

// The value of a week, weekday, month or day field, which the records keep in 16 bits.
std::optional<int16_t> SmallFieldValue(std::string_view digits) {
  const std::optional<int64_t> value = DigitRunValue(digits);
  if (!value || *value > std::numeric_limits<int16_t>::max()) return std::nullopt;
  return static_cast<int16_t>(*value);
}

int64_t Magnitude(int64_t value) { return value < 0 ? -value : value; }

// `count` group separators of a whole number must stand where digit groups end: 4, 8 and 12
// characters from the end of the text, with at least one character before the first. A 32-bit
// number has at most three of them.
bool SeparatorsAreDigitGroups(std::string_view text, char separator, std::size_t count) {
  if (count > 3) return false;
  const std::size_t length = text.size();
  if (count >= 1 && length < 4 * count + 1) return false;
  for (std::size_t k = 1; k <= count; ++k) {
    if (text[length - 4 * k] != separator) return false;  // 1-based position length - (4k - 1)
  }
  return true;
}

bool IsSingleCharacter(std::string_view text, char c) { return text.size() == 1 && text.front() == c; }

// The character that marks digit groups under a fit: its group separator, or the comma when
// there is none.
char GroupMark(const ReadFit& fit) { return fit.group_separator.empty() ? ',' : fit.group_separator.front(); }

// The mark at `at` stands where the writers put a digit-group mark: after one to three digits
// (three when another mark comes before them) and before exactly three digits.
bool StandsAtDigitGroup(std::string_view text, std::size_t at) {
  const char mark = text[at];
  std::size_t before = 0;  // [0, 4]: four are already too many
  while (before < 4 && before < at && IsDigit(text[at - 1 - before])) ++before;
  if (before == 0 || before > 3) return false;
  if (before < 3 && before < at && text[at - 1 - before] == mark) return false;
  if (text.size() - at < 4 || !IsDigit(text[at + 1]) || !IsDigit(text[at + 2]) || !IsDigit(text[at + 3])) return false;
  return at + 4 == text.size() || !IsDigit(text[at + 4]);
}

// Notes in a fit each character a reader left out of `text` that is not part of the written
// form: a '+' before a year written first, the parentheses around a negative year written last
// ("15-03-(-44)") and digit-group marks are; everything else is not.
class WrittenForm {
 public:
  enum class Year { First, Last };
  WrittenForm(std::string_view text, Year year, char separator, ReadFit& fit)
      : text_(text), year_(year), separator_(separator), mark_(GroupMark(fit)), fit_(fit) {}
  void Dropped(std::size_t at) {
    if (!IsPartOfForm(at)) fit_.altered = true;
  }
  // A field of more digits than its form allows.
  void FieldWidth(std::size_t digits, std::size_t allowed) {
    if (digits > allowed) fit_.altered = true;
  }

 private:
  bool IsPartOfForm(std::size_t at) {
    const char c = text_[at];
    if (c == '+') return at == 0 && year_ == Year::First;
    if (c == '(') {
      const bool opens_year = year_ == Year::Last && !opened_ && at > 0 && text_[at - 1] == separator_ &&
                              at + 2 < text_.size() && text_[at + 1] == '-' && text_.back() == ')';
      opened_ = true;
      return opens_year;
    }
    if (c == ')') return opened_ && at + 1 == text_.size();
    return c == mark_ && StandsAtDigitGroup(text_, at);
  }
  std::string_view text_;
  Year year_;
  char separator_;
  char mark_;
  bool opened_ = false;
  ReadFit& fit_;
};

// Tells a fit of each character that the reading of a CE/JC date skips and that is not part of
// the written form.
class SkippedFromForm final : public SkippedCharacters {
 public:
  SkippedFromForm(std::string_view text, WrittenForm::Year year, char separator, ReadFit& fit)
      : form_(text, year, separator, fit) {}
  void Skipped(std::size_t at) override { form_.Dropped(at); }

 private:
  WrittenForm form_;
};

// The value of one to ten digits.
int64_t ValueOfShortDigitRun(std::string_view digits) { return DigitRunValue(digits).value_or(0); }

// Reads both forms of the leap-week calendar: year, then two fields after two '-'.
struct LeapFields {
  int16_t result = kReadNotValid;
  int32_t year = 0;
  int16_t second = 0;
  int16_t third = 0;
};

// `third_width`: the digits the third field is written with (1 for a weekday, 2 for a day of month).
LeapFields SplitLeapWeekText(std::string_view text, std::size_t third_width, ReadFit* fit) {
  LeapFields out;
  std::string t(text);
  std::optional<WrittenForm> form;
  if (fit != nullptr) form.emplace(text, WrittenForm::Year::First, '-', *fit);
  KeepDateCharacters(t, "", [&form](std::size_t at) {
    if (form) form->Dropped(at);
  });
  // A '-' in the first place is the year's sign; after it exactly two separate the fields.
  if (t.size() < 2 || CountOccurrences(std::string_view(t).substr(1), "-") != 2) return out;

  const std::size_t first = t.find('-', 1);
  const std::optional<int64_t> year = SignedValue(std::string_view(t).substr(0, first));
  // A year field holding only its sign has no value: not a date.
  if (!year) return out;
  if (Magnitude(*year) > YearLimit) {
    out.result = kReadOutOfRange;
    return out;
  }

  const std::string_view remainder = std::string_view(t).substr(first + 1);
  // The third field starts after the next '-' counted from the remainder's second character,
  // so a remainder that begins with '-' has no second field.
  const std::size_t next = remainder.size() < 2 ? std::string_view::npos : remainder.find('-', 1);
  if (next == std::string_view::npos) return out;
  const std::optional<int16_t> second = SmallFieldValue(remainder.substr(0, next));
  const std::optional<int16_t> third = SmallFieldValue(remainder.substr(next + 1));
  // An empty field or one that does not fit the record's 16 bits is not a date.
  if (!second || !third) return out;
  if (form) {
    form->FieldWidth(next, 2);
    form->FieldWidth(remainder.size() - next - 1, third_width);
  }

  out.result = kReadValid;
  out.year = static_cast<int32_t>(*year);
  out.second = *second;
  out.third = *third;
  return out;
}

// The days of `month` in `year` under `rules`, or 0 when the short form below leaves the text to
// str_to_date: a month the year lacks, or the Annus Novus months, which only it knows. (This and
// the two steps below are inlined by hand: whole-program inlining spends its budget elsewhere
// first, and the short form of every batch line then cost a call or two.)
[[gnu::always_inline]] inline int64_t ShortFormMonthDays(int64_t year, int64_t month, const DateTextRules& rules,
                                                         int32_t letter) {
  if (rules.days_in_month != nullptr) {
    return rules.days_in_month(static_cast<int32_t>(year), static_cast<int16_t>(month));
  }
  if (letter == kLetterAnnusNovus) return 0;
  DateFields fields;
  fields.Year = static_cast<int32_t>(year);
  fields.Month = static_cast<int32_t>(month);
  fields.Calendar = letter;
  int32_t error = 0;
  return DaysInMonth(fields, error);  // 0 for a month outside 1 … 12
}

// The form in which the writers put nearly every date, and in which a batch hands nearly every
// line: a year of one to four digits without a sign, a month and a day of two digits each, in the
// order of `format`, the separator between them and nothing else. Such a text is a valid date
// exactly when its month exists and its day lies within it, and it leaves nothing out, so it
// reads here in a few steps; true when it did. Any other text (or a date that does not exist)
// is left to str_to_date, whose one scan takes every form. Both read the same date from a text
// of this form (tested over every shape of it). `as_written`, when given, tells whether the year
// has no leading zero: then the text is exactly what FormatDate writes of the date in this field
// order and with this separator (a year below 10000 is never grouped, a month and a day always
// have two digits).
[[gnu::always_inline]] inline bool ReadShortForm(std::string_view text, char separator, DateFormat format,
                                                 const DateTextRules& rules, int32_t letter, DateFields& date,
                                                 bool* as_written) {
  const std::size_t size = text.size();
  const bool known_format = format == kFormatYMD || format == kFormatDMY || format == kFormatMDY;
  if (size < 7 || size > 10 || !known_format || IsDigit(separator)) return false;
  const bool year_first = format == kFormatYMD;
  // Where the day-and-month part "dd?mm" (or "mm?dd") and the year stand.
  const std::size_t pair_at = year_first ? size - 5 : 0;
  const std::size_t year_at = year_first ? 0 : 6;
  const std::size_t year_digits = size - 6;  // [1, 4]
  const char* const p = text.data();
  if (p[year_first ? size - 6 : 5] != separator || p[pair_at + 2] != separator) return false;
  // The digits' values, from the one reader of digit runs, a step for each field.
  uint64_t year = 0, first = 0, second = 0;
  if (!digit_run::ReadStep(p + year_at, year_digits, year) || !digit_run::ReadStep(p + pair_at, 2, first) ||
      !digit_run::ReadStep(p + pair_at + 3, 2, second)) {
    return false;
  }
  if (static_cast<int64_t>(year) > rules.year_limit) return false;
  const bool day_first = format == kFormatDMY;
  const auto month = static_cast<int64_t>(day_first ? second : first);  // [0, 99]
  const auto day = static_cast<int64_t>(day_first ? first : second);    // [0, 99]
  const int64_t month_days = ShortFormMonthDays(static_cast<int64_t>(year), month, rules, letter);
  if (day < 1 || day > month_days) return false;
  date.Year = static_cast<int32_t>(year);  // [0, 9999]
  date.Month = static_cast<int32_t>(month);
  date.Day = static_cast<int32_t>(day);
  date.Calendar = letter;
  if (as_written != nullptr) *as_written = year_digits == 1 || p[year_at] != '0';
  return true;
}

// Any text of three fields, through str_to_date, with a fit told what the reading left out.
// (Out of line: the short form above needs none of its state.)
[[gnu::noinline]] int16_t ReadAnyForm(std::string_view text, char separator, DateFormat format, DateTextRules rules,
                                      int32_t letter, DateFields& date, ReadFit* fit) {
  std::optional<SkippedFromForm> form;
  if (fit != nullptr) {
    form.emplace(text, format == kFormatYMD ? WrittenForm::Year::First : WrittenForm::Year::Last, separator, *fit);
  }
  std::size_t day_and_month_digits = 0;
  rules.separator = separator;
  rules.skipped = form ? &*form : nullptr;
  rules.day_and_month_digits = fit != nullptr ? &day_and_month_digits : nullptr;
  const int32_t status = str_to_date(text, format, date, letter, rules);
  if (status == kStrToDateOutOfRange) return kReadOutOfRange;
  if (status != 0) return kReadNotValid;
  // A day or month of three digits or more; a plain store, as the usual date never has one.
  if (fit != nullptr) fit->altered = fit->altered || day_and_month_digits > 2;
  return kReadValid;
}

// Year, month and day of a text in the field order `format`, separated by `separator`, as a date
// box reads them: only digits, '-' and the separator count; the months and year limit those of
// `rules`. `as_written`: see ReadShortForm (left as it is for any other form).
[[gnu::always_inline]] inline int16_t ReadThreeFields(std::string_view text, std::string_view separator,
                                                     DateFormat format, const DateTextRules& rules, int32_t letter,
                                                     DateFields& date, ReadFit* fit, bool* as_written = nullptr) {
  // Only digits, '-' and the separator count; blanks, letters, parentheses and commas are
  // skipped. A separator of no single character (or the zero character) separates no fields.
  if (separator.size() != 1 || separator.front() == '\0') return kReadNotValid;
  const char one = separator.front();
  // Nothing left out and no field too wide: a fit stays as it is.
  if (ReadShortForm(text, one, format, rules, letter, date, as_written)) return kReadValid;
  return ReadAnyForm(text, one, format, rules, letter, date, fit);
}

}  // namespace

namespace {

// A day number in a date box that reads it as a date (JDN read leniently): digit groups in the
// style of the date separator. (Out of line: its text copy costs the CE/JC dates nothing.)
[[gnu::noinline]] int16_t ParseDayNumberDate(std::string_view text, std::string_view separator, DateFields& date,
                                             ReadFit* fit) {
  if (fit != nullptr && text.find(' ') != std::string_view::npos) fit->altered = true;
  const std::string t = RemoveSpaces(text);
  const std::size_t count = CountOccurrences(t, separator);
  bool passed = true;
  if (IsSingleCharacter(separator, '/')) {
    passed = count == 0;
  } else if (IsSingleCharacter(separator, '-')) {
    passed = count == 0 || (count == 1 && t.front() == '-');
  } else if (IsSingleCharacter(separator, '.')) {
    passed = SeparatorsAreDigitGroups(t, '.', count);
  }
  // Any other separator has no digit-group rule to check.
  if (!passed) return kReadNotValid;
  int16_t result = kReadNotValid;
  date.DayNumber = ParseDayNumberText(t, result, fit);
  return result;
}

// A date box's own rules: its calendar's months, the text limit of years, nothing skipped told.
constexpr DateTextRules kDateBoxRules{};

}  // namespace

int16_t ParseDateText(std::string_view text, std::string_view separator, CalendarCode code,
                      DateFormat format, DateFields& date, ReadFit* fit) {
  if (code == cal::AN || code == cal::TLW || code == cal::ISO || code == cal::ARC) {
    separator = "-";
    if (format == kFormatMDY) format = kFormatYMD;
  }
  if (code == cal::JDN) return ParseDayNumberDate(text, separator, date, fit);

  const int32_t letter = ReaderLetterForCode(code);
  // CE and JC dates are written in the field order and with the separator they are read in (the
  // other codes read here are written as CE dates, or not at all).
  bool* const as_written = fit != nullptr && (code == cal::CE || code == cal::JC) ? &fit->as_written : nullptr;
  const int16_t read = ReadThreeFields(text, separator, format, kDateBoxRules, letter, date, fit, as_written);
  if (read != kReadValid) return read;

  if (letter == kLetterAnnusNovus) {
    annus_novus_date_to_jdn(date);
  } else if (letter != kLetterArc) {  // the ARC letter has no day number
    euro_date_to_jdn(date);
  }
  return kReadValid;
}

int16_t ParseFieldsDate(std::string_view text, std::string_view separator, DateFormat format,
                        int16_t (*days_in_month)(int32_t year, int16_t month), int64_t year_limit, DateFields& date,
                        ReadFit* fit) {
  DateTextRules rules;
  rules.days_in_month = days_in_month;
  rules.year_limit = year_limit;
  return ReadThreeFields(text, separator, format, rules, kLetterGregorian, date, fit);
}

int32_t ParseDayNumberText(std::string_view text, int16_t& result, ReadFit* fit) {
  std::string t(text);
  KeepSignedDigits(t, Minus::Allowed, [text, fit](std::size_t at) {
    // Only digit-group marks where the writers put them are part of a number's form.
    if (fit != nullptr && !(text[at] == GroupMark(*fit) && StandsAtDigitGroup(text, at))) fit->altered = true;
  });
  bool negative = false;
  if (!t.empty() && t.front() == '-') {
    negative = true;
    t.erase(0, 1);
  }
  // A text without a single digit (a lone '+') is no number, not the number 0.
  if (t.empty() || t.find('-') != std::string::npos || std::ranges::none_of(t, IsDigit)) {
    result = kReadNotValid;
    return 0;
  }
  if (t.size() > kLargestDayNumberText.size() ||
      (t.size() == kLargestDayNumberText.size() && t > kLargestDayNumberText)) {
    result = kReadOutOfRange;
    return 0;
  }
  // At most ten characters remain: an optional '+' and digits.
  int64_t value = ValueOfShortDigitRun(std::string_view(t).substr(t.front() == '+' ? 1 : 0));
  if (negative) value = -value;
  result = kReadValid;
  if (!IsWithinDayNumberLimit(value)) {
    result = kReadOutOfRange;
  }
  return static_cast<int32_t>(value);
}

int16_t ParseWholeNumberText(std::string_view text, int32_t& number, std::string_view thousands_separator,
                             ReadFit* fit) {
  const std::string_view trimmed = TrimBlanks(text);
  if (fit != nullptr) {
    // Commas and the separator's marks are left out wherever they stand; as written they stand
    // only where digit groups end, and only in the fit's group separator.
    const char separator = thousands_separator.size() == 1 ? thousands_separator.front() : ',';
    for (std::size_t i = 0; i < trimmed.size(); ++i) {
      const char c = trimmed[i];
      if ((c == ',' || c == separator) && (c != GroupMark(*fit) || !StandsAtDigitGroup(trimmed, i))) fit->altered = true;
    }
  }
  // Commas may stand anywhere; the program's own separator, when it is another character,
  // only where digit groups end, so that the day numbers the program writes read back.
  std::string_view checked = trimmed;
  std::string without_groups;
  if (thousands_separator.size() == 1 && thousands_separator != ",") {
    const char separator = thousands_separator.front();
    const std::size_t count = CountOccurrences(trimmed, thousands_separator);
    if (count > 0) {
      if (!SeparatorsAreDigitGroups(trimmed, separator, count)) return kReadNotValid;
      without_groups = RemoveCharacters(trimmed, thousands_separator, 1);
      checked = without_groups;
    }
  }
  if (!IsDigitsOnly(checked, LeadingSign::Allowed, Commas::Allowed)) return kReadNotValid;
  const std::string digits = RemoveCharacters(checked, "+-,", 1);
  if (digits.empty()) return kReadNotValid;  // a lone sign or commas are no number
  if (digits.size() > 10 || (digits.size() == 10 && DigitRunValue(std::string_view(digits).substr(0, 2)) >= 21)) {
    return kReadOutOfRange;
  }
  int64_t value = ValueOfShortDigitRun(digits);  // one to ten digits
  if (checked.front() == '-') value = -value;
  number = static_cast<int32_t>(value);
  return kReadValid;
}

int16_t ParseOrdinalDate(std::string_view text, Hyphen hyphen, DateFields& date, ReadFit* fit) {
  if (fit != nullptr && text.find(' ') != std::string_view::npos) fit->altered = true;  // fields joined
  std::string t = RemoveSpaces(text);
  if (hyphen == Hyphen::With) {
    if (t.size() < 5 || t[4] != '-') return kReadNotValid;
    t.erase(4, 1);
  }
  if (t.size() != 7) return kReadNotValid;
  const std::optional<int64_t> year = DigitRunValue(std::string_view(t).substr(0, 4));
  const std::optional<int64_t> day = DigitRunValue(std::string_view(t).substr(4, 3));
  if (!year || !day) return kReadNotValid;
  if (*day == 0 || *day > 366) return kReadNotValid;
  if (*year == 0) return kReadOutOfRange;
  if (*day == 366 && !civil::IsGregorianLeap(*year)) return kReadNotValid;

  date.DayNumber = OrdinalToDayNumber(static_cast<int32_t>(*year), static_cast<int16_t>(*day));
  date.Calendar = kLetterGregorian;
  DayNumberToDate(date);
  return kReadValid;
}

int16_t IsoTextStyle(std::string_view text) {
  const std::size_t w = text.find('W');  // only the capital letter marks the week
  if (w == std::string_view::npos) return 0;
  // A '-' in the first place is the year's sign, not a hyphen of the style.
  const std::size_t hyphen = text.size() < 2 ? std::string_view::npos : text.find('-', 1);
  const bool hyphen_style = hyphen != std::string_view::npos;
  if (hyphen_style && w + 3 < text.size() && text[w + 3] == '-' && hyphen + 1 != w) return 0;

  std::string_view year = text.substr(0, w);
  if (hyphen_style && !year.empty() && year.back() == '-') year.remove_suffix(1);
  if (!IsDigitsOnly(year, LeadingSign::Allowed, Commas::NotAllowed)) return 0;

  const std::string plain = RemoveCharacters(text, "-", 1);
  const std::string_view after_w = std::string_view(plain).substr(plain.find('W') + 1);
  if (after_w.size() != 3) return 0;
  const std::optional<int64_t> week = DigitRunValue(after_w.substr(0, 2));
  const std::optional<int64_t> weekday = DigitRunValue(after_w.substr(2, 1));
  if (!week || !weekday || *week < 1 || *week > 53 || *weekday < 1 || *weekday > 7) return 0;
  return hyphen_style ? -1 : 1;
}

int16_t ParseIsoWeekDate(std::string_view text, IsoWeekDate& date, ReadFit* fit) {
  if (fit != nullptr && text.find(' ') != std::string_view::npos) fit->altered = true;  // fields joined
  const std::string t = RemoveSpaces(text);
  const int16_t style = IsoTextStyle(t);
  if (style == 0) return kReadNotValid;

  const std::size_t w = t.find('W');
  std::string_view year_text = std::string_view(t).substr(0, w);
  if (style == -1 && !year_text.empty() && year_text.back() == '-') year_text.remove_suffix(1);
  const std::optional<int64_t> year = SignedValue(year_text);
  // A year that is only a sign has no value: not a date.
  if (!year) return kReadNotValid;
  // Here the limit itself is already out of range (the leap-week readers still accept it).
  if (Magnitude(*year) >= YearLimit) return kReadOutOfRange;

  // The week is read where it stands after the "W" and the weekday at the end of the text; a
  // hyphen in either place (which the style test does not see) makes the text not a date.
  const std::optional<int64_t> week = DigitRunValue(std::string_view(t).substr(w + 1, 2));
  const std::optional<int64_t> weekday = DigitRunValue(std::string_view(t).substr(t.size() - 1));
  if (!week || !weekday) return kReadNotValid;
  const int32_t y = static_cast<int32_t>(*year);
  if (*week == 53 && !IsoYearHas53Weeks(y)) return kReadNotValid;

  date.Year = y;
  date.Week = static_cast<int32_t>(*week);
  date.Weekday = static_cast<int32_t>(*weekday);
  date.ReadFlag = 1;
  IsoWeekDateToDayNumber(date);
  return kReadValid;
}

int16_t ParseLeapWeekDate(std::string_view text, LeapWeekDate& date, ReadFit* fit) {
  const LeapFields fields = SplitLeapWeekText(text, 1, fit);
  if (fields.result != kReadValid) return fields.result;
  date.Year = fields.year;
  date.Week = fields.second;
  date.Weekday = fields.third;
  return LeapWeekDateToDayNumber(date) ? kReadValid : kReadNotValid;
}

int16_t ParseLeapMonthDate(std::string_view text, LeapWeekDate& date, ReadFit* fit) {
  const LeapFields fields = SplitLeapWeekText(text, 2, fit);
  if (fields.result != kReadValid) return fields.result;
  date.Year = fields.year;
  date.Month = fields.second;
  date.DayOfMonth = fields.third;
  return LeapMonthDateToDayNumber(date) ? kReadValid : kReadNotValid;
}

int16_t OrdinalTextStyle(std::string_view text) {
  std::string t(text);
  if (t.size() == 8) {
    if (t[4] != '-') return 0;
    t.erase(4, 1);
  } else if (t.size() != 7) {
    return 0;
  }
  const std::optional<int64_t> year = DigitRunValue(std::string_view(t).substr(0, 4));
  const std::optional<int64_t> day = DigitRunValue(std::string_view(t).substr(4, 3));
  if (!year || !day || *day < 1 || *day > 366) return 0;
  if (*day == 366 && !civil::IsGregorianLeap(*year)) return 0;
  return text.size() == 7 ? 1 : -1;
}

bool IsDateKeyAllowed(int16_t key, std::size_t length, std::size_t max_length,
                      std::string_view separator, bool iso_selected, bool named_form) {
  if (key == kKeyCopy || key == kKeyBackspace || key == kKeyPaste || key == kKeyCut) return true;
  if ((key == 'w' || key == 'W') && iso_selected) return true;
  if (length >= max_length) return false;
  if (key < 0 || key > 255) return false;
  const char c = static_cast<char>(static_cast<unsigned char>(key));
  if (named_form && (key == 0 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\'')) {
    return true;
  }
  if (separator.size() == 1 && c == separator.front()) return true;
  return std::string_view("1234567890- ,.()").find(c) != std::string_view::npos;
}

}  // namespace qv
