#include "text/added_dates.h"

#include <optional>
#include <vector>

#include "calendar/added_calendars.h"
#include "calendar/digit_run.h"
#include "calendar/french_republican.h"
#include "calendar/mayan.h"
#include "text/calendar_names.h"
#include "text/date_dispatch.h"
#include "text/date_writers.h"
#include "text/string_utils.h"

namespace qv {
namespace {

// The widest year an added calendar reaches within ±2,100,000,000 days: the Islamic one, whose
// years are the shortest (354 or 355 days), reaches ±5.93 million. Years read beyond it are out of
// range at once; within it the day number decides.
constexpr int64_t kAddedYearLimit = 6'000'000;

// The word after the French Republican month that the year follows ("an VIII").
constexpr std::string_view kFrenchYearWord = "an";
// The note's mark of a French Republican date outside the years of the calendar's use.
constexpr std::string_view kProlepticEnglish = "proleptic";
constexpr std::string_view kProlepticGerman = "proleptisch";

// One piece of a named date: a number, or the letters between two numbers as a NameKey.
struct Piece {
  bool number = false;
  int64_t value = 0;  // saturated far beyond every limit
  std::string key;
};

// The pieces of a named date; runs of characters that hold no letter (blanks, commas, dots,
// parentheses) only separate. A '-' right before a digit, at the start or after a blank or an
// opening parenthesis, is the sign of a year.
std::vector<Piece> PiecesOf(std::string_view text) {
  // A '-' that signs the number after it.
  const auto sign_at = [text](std::size_t at) {
    return text[at] == '-' && at + 1 < text.size() && IsDigit(text[at + 1]) &&
           (at == 0 || text[at - 1] == ' ' || text[at - 1] == '(');
  };
  std::vector<Piece> pieces;
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsDigit(text[i]) || sign_at(i)) {
      const bool negative = text[i] == '-';
      const std::size_t start = negative ? i + 1 : i;
      std::size_t end = start;
      while (end < text.size() && IsDigit(text[end])) ++end;
      const int64_t magnitude = DigitRunValue(text.substr(start, end - start)).value_or(0);
      pieces.push_back(Piece{.number = true, .value = negative ? -magnitude : magnitude, .key = {}});
      i = end;
      continue;
    }
    std::size_t end = i + 1;
    while (end < text.size() && !IsDigit(text[end]) && !sign_at(end)) ++end;
    std::string key = NameKey(text.substr(i, end - i));
    if (!key.empty()) pieces.push_back(Piece{.number = false, .value = 0, .key = std::move(key)});
    i = end;
  }
  return pieces;
}

// The last word without what follows a date as the program writes it: the calendar's code, and
// for a French Republican date the mark of a proleptic one.
void DropTrailingWords(std::vector<Piece>& pieces, CalendarCode code) {
  if (pieces.empty() || pieces.back().number) return;
  std::string& key = pieces.back().key;
  const std::string code_key = NameKey(CalendarTextCode(code));
  if (key == code_key) {
    pieces.pop_back();
    if (pieces.empty() || pieces.back().number) return;
  } else if (std::string_view(key).ends_with(code_key) && IsAddedEraKey(code, std::string_view(key).substr(0, key.size() - code_key.size()))) {
    key.resize(key.size() - code_key.size());  // "5784 AM HEB": the era stays
  }
  std::string& last = pieces.back().key;
  for (const std::string_view mark : {kProlepticEnglish, kProlepticGerman}) {
    if (std::string_view(last).ends_with(mark)) {
      last.resize(last.size() - mark.size());
      if (last.empty()) pieces.pop_back();
      return;
    }
  }
}

// A named date of calendar `code`: day, month name and year in the orders "15 Nisan 5784" and
// "Tishrei 1, 5785", the era after the year if any; the French Republican year also as "an VIII".
// The fields as written, unchecked against the month's length; nullopt when the text is no such
// date. A year beyond every limit comes back as the limit's neighbour, which the caller finds out
// of range.
std::optional<CalendarDate> ReadNamedFields(std::string_view text, CalendarCode code) {
  std::vector<Piece> pieces = PiecesOf(text);
  DropTrailingWords(pieces, code);
  const std::size_t n = pieces.size();
  const Piece* day = nullptr;
  const Piece* word = nullptr;
  const Piece* year = nullptr;
  std::size_t next = 0;
  if (n >= 2 && pieces[0].number && !pieces[1].number) {
    day = &pieces[0];
    word = &pieces[1];
    next = 2;
    if (n > 2 && pieces[2].number) year = &pieces[next++];
  } else if (n >= 3 && !pieces[0].number && pieces[1].number && pieces[2].number) {
    word = &pieces[0];
    day = &pieces[1];
    year = &pieces[2];
    next = 3;
  } else {
    return std::nullopt;
  }
  if (next < n) {
    // Only the era may follow the year.
    if (year == nullptr || next + 1 != n || pieces[next].number || !IsAddedEraKey(code, pieces[next].key)) {
      return std::nullopt;
    }
  }
  // Year first, since it decides which Hebrew month a name is (Adar in a leap year).
  int64_t year_value = 0;
  std::string_view rest;
  NameMatch match;
  if (year != nullptr) {
    year_value = year->value;
    if (year_value > kAddedYearLimit || year_value < -kAddedYearLimit) {
      // Beyond every year of the range: the caller finds it out of range.
      return CalendarDate{.year = static_cast<int32_t>(kAddedYearLimit + 1), .month = 1, .day = 1};
    }
    match = MatchAddedMonthName(code, word->key, static_cast<int32_t>(year_value));
    rest = std::string_view(word->key).substr(match.length);
    if (match.month == 0) return std::nullopt;
    if (!rest.empty() && !(code == cal::FRR && rest == kFrenchYearWord)) return std::nullopt;
  } else {
    // "1 Vendémiaire an VIII": the year in Roman numerals after the word "an".
    if (code != cal::FRR) return std::nullopt;
    match = MatchAddedMonthName(code, word->key, 0);
    rest = std::string_view(word->key).substr(match.length);
    if (match.month == 0 || !rest.starts_with(kFrenchYearWord)) return std::nullopt;
    year_value = RomanNumeralValue(rest.substr(kFrenchYearWord.size()));
    if (year_value == 0) return std::nullopt;
  }
  if (day->value < 1 || day->value > 99) return std::nullopt;
  return CalendarDate{.year = static_cast<int32_t>(year_value),
                      .month = match.month,
                      .day = static_cast<int16_t>(day->value)};
}

bool HasLetter(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z') return true;
    if (byte >= 0x80) return true;
  }
  return false;
}

// A date of `rules` to its record; the result code of the day-number range test.
int16_t Place(const AddedCalendarRules& rules, const CalendarDate& date, DateFields& fields) {
  if (date.year > kAddedYearLimit || date.year < -kAddedYearLimit) return kReadOutOfRange;
  if (!IsValidAddedDate(rules, date)) return kReadNotValid;
  const int64_t day_number = rules.to_day_number(date);
  if (!IsWithinDayNumberLimit(day_number)) return kReadOutOfRange;
  fields = DateFields{};
  fields.Year = date.year;
  fields.Month = date.month;
  fields.Day = date.day;
  fields.DayNumber = static_cast<int32_t>(day_number);
  return kReadValid;
}

// The long count at the start of `text` ("-1.19.19.17.19", "13.0.0.0.0") and where it ends.
struct LongCountText {
  bool found = false;
  LongCount count;
  std::size_t end = 0;
  bool out_of_range = false;
};

LongCountText ReadLongCountFields(std::string_view text) {
  LongCountText read;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '(')) ++i;  // the note's form: "(13.0.0.0.0 …)"
  const bool negative = i < text.size() && text[i] == '-';
  if (negative) ++i;
  int64_t fields[5] = {};
  constexpr int64_t kLimits[5] = {0, 20, 20, 18, 20};  // katun, tun, uinal, kin: their units
  for (int f = 0; f < 5; ++f) {
    if (f > 0) {
      if (i >= text.size() || text[i] != '.') return read;
      ++i;
    }
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    const std::optional<int64_t> value = DigitRunValue(text.substr(start, i - start));
    if (!value) return read;
    if (f > 0 && *value >= kLimits[f]) return read;
    fields[f] = *value;
  }
  if (i < text.size() && (IsDigit(text[i]) || text[i] == '.')) return read;
  read.found = true;
  read.end = i;
  // A baktun of about 14,600 reaches the day-number limit; anything much beyond is out of range.
  if (fields[0] > 1'000'000) {
    read.out_of_range = true;
    return read;
  }
  read.count = LongCount{.baktun = static_cast<int32_t>(negative ? -fields[0] : fields[0]),
                         .katun = static_cast<int16_t>(fields[1]),
                         .tun = static_cast<int16_t>(fields[2]),
                         .uinal = static_cast<int16_t>(fields[3]),
                         .kin = static_cast<int16_t>(fields[4])};
  return read;
}

enum class DayNames { None, Match, Mismatch, Unreadable };

// What follows a long count: nothing, or the Tzolk'in and Haab' of the day ("4 Ahau 3 Kankin").
DayNames CheckDayNames(std::string_view rest, int32_t day_number) {
  std::vector<Piece> pieces = PiecesOf(rest);
  if (!pieces.empty() && !pieces.back().number && pieces.back().key == NameKey(CalendarTextCode(cal::MAY))) {
    pieces.pop_back();
  }
  if (pieces.empty()) return DayNames::None;
  if (pieces.size() != 4 || !pieces[0].number || pieces[1].number || !pieces[2].number || pieces[3].number) {
    return DayNames::Unreadable;
  }
  const int16_t tzolkin_name = TzolkinDayOfKey(pieces[1].key);
  const int16_t haab_month = HaabMonthOfKey(pieces[3].key);
  if (tzolkin_name == 0 || haab_month == 0) return DayNames::Unreadable;
  const Tzolkin tzolkin = TzolkinOf(day_number);
  const Haab haab = HaabOf(day_number);
  const bool same = pieces[0].value == tzolkin.number && tzolkin_name == tzolkin.name && pieces[2].value == haab.day &&
                    haab_month == haab.month;
  return same ? DayNames::Match : DayNames::Mismatch;
}

void AddNumber(std::string& text, int64_t value) { text.append(std::to_string(value)); }

}  // namespace

int16_t ParseAddedDate(std::string_view text, CalendarCode code, const DateTextOptions& options, DateFields& date,
                       ReadFit* fit) {
  const AddedCalendarRules* rules = AddedCalendarRulesOf(code);
  if (rules == nullptr) return kReadNotValid;
  if (HasLetter(text)) {
    if (const std::optional<CalendarDate> named = ReadNamedFields(text, code)) return Place(*rules, *named, date);
  }
  DateFields fields;
  const int16_t read = ParseFieldsDate(text, options.date_separator, options.format, rules->days_in_month,
                                       kAddedYearLimit, fields, fit);
  if (read != kReadValid) return read;
  return Place(*rules, CalendarDate{.year = fields.Year,
                                    .month = static_cast<int16_t>(fields.Month),
                                    .day = static_cast<int16_t>(fields.Day)},
               date);
}

int16_t ParseLongCountDate(std::string_view text, DateFields& date, ReadFit* fit) {
  const LongCountText read = ReadLongCountFields(text);
  if (!read.found) return kReadNotValid;
  if (read.out_of_range) return kReadOutOfRange;
  const int64_t day_number = LongCountToDayNumber(read.count);
  if (!IsWithinDayNumberLimit(day_number)) return kReadOutOfRange;
  switch (CheckDayNames(text.substr(read.end), static_cast<int32_t>(day_number))) {
    case DayNames::Mismatch: return kReadNotValid;
    case DayNames::Unreadable:
      // Read as pasted text is read: what is not the long count is left out.
      if (fit != nullptr) fit->altered = true;
      break;
    case DayNames::None:
    case DayNames::Match: break;
  }
  date = DateFields{};
  date.DayNumber = static_cast<int32_t>(day_number);
  return kReadValid;
}

void WriteAddedDate(TextBuilder& text, int32_t day_number, CalendarCode code, const DateTextOptions& options,
                    DateFields* record) {
  if (code == cal::MAY) {
    const LongCount count = LongCountFromDayNumber(day_number);
    std::string written;
    AddNumber(written, count.baktun);
    for (const int16_t unit : {count.katun, count.tun, count.uinal, count.kin}) {
      written.push_back('.');
      AddNumber(written, unit);
    }
    text.Add(written);
    if (record != nullptr) {
      *record = DateFields{};
      record->DayNumber = day_number;
    }
    return;
  }
  const AddedCalendarRules* rules = AddedCalendarRulesOf(code);
  if (rules == nullptr) return;
  const CalendarDate date = rules->from_day_number(day_number);
  DateFields fields;
  fields.Year = date.year;
  fields.Month = date.month;
  fields.Day = date.day;
  fields.Calendar = kLetterGregorian;  // the numeric form is that of a CE date
  fields.DayNumber = day_number;
  FormatDate(text, fields, options.format, options.date_separator, options.thousands_separator, Suffix::Without);
  if (record != nullptr) {
    *record = fields;
    record->Calendar = 0;
  }
}

std::string AddedCalendarNote(CalendarCode code, int32_t day_number, Language language) {
  std::string note;
  if (code == cal::MAY) {
    const Tzolkin tzolkin = TzolkinOf(day_number);
    const Haab haab = HaabOf(day_number);
    AddNumber(note, tzolkin.number);
    note.append(" ").append(TzolkinDayName(tzolkin.name)).append(" ");
    AddNumber(note, haab.day);
    note.append(" ").append(HaabMonthName(haab.month));
    return note;
  }
  const AddedCalendarRules* rules = AddedCalendarRulesOf(code);
  if (rules == nullptr) return note;
  const CalendarDate date = rules->from_day_number(day_number);
  AddNumber(note, date.day);
  note.append(" ").append(AddedMonthName(code, date.year, date.month, language)).append(" ");
  if (code == cal::FRR) {
    note.append(kFrenchYearWord).append(" ");
    const std::string roman = RomanNumeral(date.year);
    if (roman.empty()) {
      AddNumber(note, date.year);
    } else {
      note.append(roman);
    }
    if (!IsFrenchRepublicanYearInUse(date.year)) {
      note.append(", ").append(language == Language::German ? kProlepticGerman : kProlepticEnglish);
    }
    return note;
  }
  AddNumber(note, date.year);
  note.append(" ").append(AddedEraName(code));
  return note;
}

}  // namespace qv
