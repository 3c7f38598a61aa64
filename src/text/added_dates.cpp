#include "text/added_dates.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "calendar/added_calendars.h"
#include "calendar/digit_run.h"
#include "calendar/french_republican.h"
#include "calendar/japanese.h"
#include "calendar/mayan.h"
#include "text/calendar_names.h"
#include "text/east_asian_names.h"
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

// Whether `text` holds a letter of a script beyond the Latin ones: Thai (U+0E00 …), and
// everything from U+3000 on (kana, CJK, Hangul), as opposed to the apostrophes, dashes and
// modifier letters that names of the Latin transcriptions carry.
bool HasOtherScript(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0xE3) return true;
    if (lead == 0xE0 && i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xFE) == 0xB8) return true;
  }
  return false;
}

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
    // Writing in another script (CJK, Hangul, Thai …), which a key leaves out, is no separator: it
    // marks the piece as a word that names nothing, so that a date is never read past it.
    if (HasOtherScript(text.substr(i, end - i))) key.push_back('#');
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

// The word Japanese writes for the first year of an era (元年): "Reiwa Gannen".
constexpr std::string_view kGannen = "gannen";

// What follows a month name in a named date's word before the year: nothing, the French "an", the
// calendar's era ("December Minguo 113"), or a Japanese era, which sets the Gregorian year
// ("December Reiwa 7"; with "Gannen" and no year number, its year 1).
struct WordAfterMonth {
  bool valid = false;
  std::optional<JapaneseEra> era;
  bool gannen = false;
};
WordAfterMonth ReadWordAfterMonth(CalendarCode code, std::string_view rest) {
  if (rest.empty()) return {.valid = code != cal::JPN, .era = std::nullopt, .gannen = false};
  if (code == cal::FRR) return {.valid = rest == kFrenchYearWord, .era = std::nullopt, .gannen = false};
  if (code == cal::JPN) {
    const bool gannen = rest.ends_with(kGannen);
    if (gannen) rest.remove_suffix(kGannen.size());
    const std::optional<JapaneseEra> era = JapaneseEraOfKey(rest);
    return {.valid = era.has_value(), .era = era, .gannen = gannen};
  }
  return {.valid = IsAddedEraKey(code, rest), .era = std::nullopt, .gannen = false};
}

// A named date of calendar `code`: day, month name and year in the orders "15 Nisan 5784" and
// "Tishrei 1, 5785", the era after the year if any, or between the month and the year ("8 December
// Minguo 113", "8 December Reiwa 7"); the French Republican year also as "an VIII". The fields as
// written (the month as its place in the year; for the Japanese calendar the Gregorian year),
// unchecked against the month's length; nullopt when the text is no such date. A year beyond every
// limit comes back as the limit's neighbour, which the caller finds out of range.
std::optional<CalendarDate> ReadNamedFields(const AddedCalendarRules& rules, std::string_view text, CalendarCode code) {
  std::vector<Piece> pieces = PiecesOf(text);
  DropTrailingWords(pieces, code);
  const std::size_t n = pieces.size();
  const Piece* day = nullptr;
  const Piece* word = nullptr;
  const Piece* year = nullptr;
  const Piece* era_word = nullptr;
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
  } else if (n >= 4 && !pieces[0].number && pieces[1].number && !pieces[2].number && pieces[3].number) {
    // "December 8, Reiwa 7": the era between the day and the year.
    word = &pieces[0];
    day = &pieces[1];
    era_word = &pieces[2];
    year = &pieces[3];
    next = 4;
  } else {
    return std::nullopt;
  }
  if (next < n) {
    // Only the era may follow the year.
    if (year == nullptr || next + 1 != n || pieces[next].number || !IsAddedEraKey(code, pieces[next].key)) {
      return std::nullopt;
    }
  }
  if (day->value < 1 || day->value > 99) return std::nullopt;
  // Year first, since it decides which Hebrew month a name is (Adar in a leap year), or which
  // place a lunisolar or Thai month has.
  int64_t year_value = 0;
  NameMatch match;
  if (year != nullptr || code == cal::JPN) {
    year_value = year != nullptr ? year->value : 0;
    if (year_value > kAddedYearLimit || year_value < -kAddedYearLimit) {
      // Beyond every year of the range: the caller finds it out of range.
      return CalendarDate{.year = static_cast<int32_t>(kAddedYearLimit + 1), .month = 1, .day = 1};
    }
    // A year outside a narrow range is out of range before its months are asked for (the
    // Japanese year read here is the era's, which the era turns into the row's below).
    if (code != cal::JPN && HasNarrowRange(rules) && !IsYearInRange(rules, year_value)) {
      return CalendarDate{.year = static_cast<int32_t>(year_value), .month = 1, .day = 1};
    }
    // The Japanese calendar names the Gregorian months: the year does not change the name.
    match = MatchAddedMonthNameWith(rules, code, word->key, code == cal::JPN ? 2000 : static_cast<int32_t>(year_value));
    if (match.month == 0) return std::nullopt;
    const std::string rest = word->key.substr(match.length) + (era_word != nullptr ? era_word->key : std::string());
    const WordAfterMonth after = ReadWordAfterMonth(code, rest);
    if (!after.valid) return std::nullopt;
    if (code == cal::JPN) {
      // The era's year, 1 for Gannen, counted from the era's first Gregorian year.
      if (after.gannen == (year != nullptr) || (year != nullptr && year_value < 1)) return std::nullopt;
      const int32_t era_year = after.gannen ? 1 : static_cast<int32_t>(year_value);
      const JapaneseDate date{*after.era, era_year, match.month, static_cast<int16_t>(day->value)};
      const CalendarDate gregorian{.year = JapaneseEraFirstYear(date.era) + era_year - 1, .month = match.month,
                                   .day = date.day};
      // Before 1873 the date lies outside the calendar's range (the caller says so); from then on
      // it must lie within its era.
      if (gregorian.year >= 1873 && !IsJapaneseDate(date)) return std::nullopt;
      return gregorian;
    }
  } else {
    // "1 Vendémiaire an VIII": the year in Roman numerals after the word "an".
    if (code != cal::FRR) return std::nullopt;
    match = MatchAddedMonthNameWith(rules, code, word->key, 0);
    const std::string_view rest = std::string_view(word->key).substr(match.length);
    if (match.month == 0 || !rest.starts_with(kFrenchYearWord)) return std::nullopt;
    year_value = RomanNumeralValue(rest.substr(kFrenchYearWord.size()));
    if (year_value == 0) return std::nullopt;
  }
  return CalendarDate{.year = static_cast<int32_t>(year_value),
                      .month = match.month,
                      .day = static_cast<int16_t>(day->value)};
}

// --- East Asian writing: "令和7年12月8日", "民國113年12月8日", "2024年闰二月十五" ----------------------------

// Digits at the start of `text`, and how many bytes they took (at most 7).
struct Number {
  int64_t value = 0;
  std::size_t length = 0;
};
Number LeadingNumber(std::string_view text) {
  Number n;
  while (n.length < text.size() && n.length < 7 && IsDigit(text[n.length])) n.value = 10 * n.value + (text[n.length++] - '0');
  return n;
}

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

// The month and day of the Gregorian months in East Asian writing: "12月8日".
struct MonthDay {
  int16_t month = 0;
  int16_t day = 0;
};
std::optional<MonthDay> ReadCjkMonthDay(std::string_view text) {
  const Number month = LeadingNumber(text);
  if (month.length == 0 || month.length > 2 || !text.substr(month.length).starts_with("月")) return std::nullopt;
  text.remove_prefix(month.length + std::string_view("月").size());
  const Number day = LeadingNumber(text);
  if (day.length == 0 || day.length > 2) return std::nullopt;
  text.remove_prefix(day.length);
  if (text.starts_with("日")) text.remove_prefix(std::string_view("日").size());
  if (!SkipBlanks(text).empty()) return std::nullopt;
  return MonthDay{static_cast<int16_t>(month.value), static_cast<int16_t>(day.value)};
}

// A Japanese, Minguo or Chinese-style lunisolar date as those who use them write it; the fields as
// ReadNamedFields gives them. Nullopt for any other text.
std::optional<CalendarDate> ReadEastAsianForm(const AddedCalendarRules& rules, std::string_view text, CalendarCode code) {
  text = SkipBlanks(text);
  if (code == cal::JPN) {
    const std::optional<KanjiEra> era = JapaneseEraAtStart(text);
    if (!era) return std::nullopt;
    text = SkipBlanks(text.substr(era->length));
    int64_t year = 0;
    if (text.starts_with("元")) {
      year = 1;
      text.remove_prefix(std::string_view("元").size());
    } else {
      const Number number = LeadingNumber(text);
      if (number.length == 0 || number.length > 3 || number.value < 1) return std::nullopt;
      year = number.value;
      text.remove_prefix(number.length);
    }
    if (!text.starts_with("年")) return std::nullopt;
    const std::optional<MonthDay> md = ReadCjkMonthDay(SkipBlanks(text.substr(std::string_view("年").size())));
    if (!md) return std::nullopt;
    const JapaneseDate date{era->era, static_cast<int32_t>(year), md->month, md->day};
    const CalendarDate gregorian{.year = JapaneseEraFirstYear(era->era) + date.year - 1, .month = md->month, .day = md->day};
    // As in the named form: before 1873 out of range, from then on within its era.
    if (gregorian.year >= 1873 && !IsJapaneseDate(date)) return std::nullopt;
    return gregorian;
  }
  if (code == cal::ROC) {
    for (const std::string_view mark : {"民國", "民国"}) {
      if (!text.starts_with(mark)) continue;
      text = SkipBlanks(text.substr(mark.size()));
      const Number year = LeadingNumber(text);
      if (year.length == 0 || year.length > 4 || !text.substr(year.length).starts_with("年")) return std::nullopt;
      const std::optional<MonthDay> md =
          ReadCjkMonthDay(SkipBlanks(text.substr(year.length + std::string_view("年").size())));
      if (!md) return std::nullopt;
      return CalendarDate{.year = static_cast<int32_t>(year.value), .month = md->month, .day = md->day};
    }
    return std::nullopt;
  }
  if (rules.leap_month != nullptr) {
    // The Gregorian year's number before 年, then, if written, the stem and branch of the year
    // (which must be that year's), then the month and day.
    const Number year = LeadingNumber(text);
    if (year.length == 0 || year.length > 4) return std::nullopt;
    text = SkipBlanks(text.substr(year.length));
    if (!text.starts_with("年")) return std::nullopt;
    text = SkipBlanks(text.substr(std::string_view("年").size()));
    const std::string cycle = SexagenaryYear(static_cast<int32_t>(year.value), cal::CHN);
    if (text.starts_with(cycle)) {
      text = text.substr(cycle.size());
      if (text.starts_with("年")) text.remove_prefix(std::string_view("年").size());
      text = SkipBlanks(text);
    }
    const std::optional<ChineseMonthDay> md = ReadChineseMonthDay(text);
    if (!md || !SkipBlanks(text.substr(md->length)).empty()) return std::nullopt;
    const auto y = static_cast<int32_t>(year.value);
    if (!IsYearInRange(rules, y)) return CalendarDate{.year = y, .month = 1, .day = 1};  // out of range
    const int16_t place = MonthPlaceOf(rules, y, md->month);
    if (place == 0) return std::nullopt;
    return CalendarDate{.year = y, .month = place, .day = md->day};
  }
  return std::nullopt;
}

// --- The note read back: a date, then parts of its note ------------------------------------------------

std::string_view Trimmed(std::string_view text) { return TrimBlanks(text); }

// The parts of a note between its commas.
std::vector<std::string_view> CommaParts(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == ',') {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

}  // namespace

std::string AddedCalendarNoteWith(const AddedCalendarRules& rules, CalendarCode code, int32_t day_number,
                                  Language language);

namespace {

// A named date alone, or in East Asian writing.
std::optional<CalendarDate> ReadOneNamedDate(const AddedCalendarRules& rules, std::string_view text, CalendarCode code) {
  if (std::optional<CalendarDate> date = ReadNamedFields(rules, text, code)) return date;
  return ReadEastAsianForm(rules, text, code);
}

// A named date, or a named date followed after a comma by parts of the note the program writes of
// that day ("15 Third Month 2024, 甲辰年 三月十五, Year of the Dragon"): every such part must be
// one of that note's, in English or German.
std::optional<CalendarDate> ReadNamedDate(const AddedCalendarRules& rules, std::string_view text, CalendarCode code) {
  if (std::optional<CalendarDate> date = ReadOneNamedDate(rules, text, code)) return date;
  // The note as the result line shows it, in parentheses.
  text = TrimBlanks(text);
  if (text.size() >= 2 && text.front() == '(' && text.back() == ')') text = text.substr(1, text.size() - 2);
  const std::vector<std::string_view> parts = CommaParts(text);
  for (std::size_t head = parts.size() - 1; head >= 1; --head) {
    const std::string_view first(parts.front().data(),
                                 static_cast<std::size_t>(parts[head - 1].data() + parts[head - 1].size() - parts.front().data()));
    const std::optional<CalendarDate> date = ReadOneNamedDate(rules, first, code);
    if (!date) continue;
    if (!IsYearInRange(rules, date->year) || !IsValidAddedDate(rules, *date)) return date;  // refused by the caller
    const int64_t day_number = rules.to_day_number(*date);
    if (!IsWithinDayNumberLimit(day_number) || !IsDayInRange(rules, day_number)) return date;
    std::vector<std::string_view> known;
    const std::string notes[2] = {AddedCalendarNoteWith(rules, code, static_cast<int32_t>(day_number), Language::English),
                                  AddedCalendarNoteWith(rules, code, static_cast<int32_t>(day_number), Language::German)};
    for (const std::string& note : notes) {
      for (const std::string_view part : CommaParts(note)) known.push_back(Trimmed(part));
    }
    for (std::size_t i = head; i < parts.size(); ++i) {
      if (std::find(known.begin(), known.end(), Trimmed(parts[i])) == known.end()) return std::nullopt;
    }
    return date;
  }
  return std::nullopt;
}

bool HasLetter(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z') return true;
    if (byte >= 0x80) return true;
  }
  return false;
}

// A date of `rules` to its record; the result code of the range tests (the day numbers', and the
// calendar's own range: a year outside its years is out of range before it is valid or not).
int16_t Place(const AddedCalendarRules& rules, const CalendarDate& date, DateFields& fields) {
  if (date.year > kAddedYearLimit || date.year < -kAddedYearLimit) return kReadOutOfRange;
  if (HasNarrowRange(rules) && !IsYearInRange(rules, date.year)) return kReadOutOfRange;
  if (!IsValidAddedDate(rules, date)) return kReadNotValid;
  const int64_t day_number = rules.to_day_number(date);
  if (!IsWithinDayNumberLimit(day_number) || !IsDayInRange(rules, day_number)) return kReadOutOfRange;
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

// --- The numeric form's marks: the leap month's "L", the Japanese era before the year -------------------

// Whether the months of `rules` are named otherwise than by their places (the numeric form then
// carries the month's label).
bool HasLabels(const AddedCalendarRules& rules) { return rules.leap_month != nullptr || rules.label_of != nullptr; }

// Where the month and the year stand among the three fields of `format`.
std::size_t MonthField(DateFormat format) { return format == kFormatMDY ? 0 : 1; }
std::size_t YearField(DateFormat format) { return format == kFormatYMD ? 0 : 2; }

// The marks of leap months that the month field may carry, before or (only "L") after its digits.
constexpr std::string_view kLeapPrefixes[] = {"L", "l", "闰", "閏", "윤"};

bool HasLeapMarkCharacter(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == 'L' || text[i] == 'l') return true;
    for (const std::string_view mark : {"闰", "閏", "윤"}) {
      if (text.substr(i).starts_with(mark)) return true;
    }
  }
  return false;
}

// The digits of a month field without its leap mark, and whether it had one.
struct MonthFieldText {
  std::string_view digits;
  bool leap = false;
};
MonthFieldText WithoutLeapMark(std::string_view field) {
  field = TrimBlanks(field);
  for (const std::string_view mark : kLeapPrefixes) {
    if (field.starts_with(mark)) return {TrimBlanks(field.substr(mark.size())), true};
  }
  if (field.ends_with("L") || field.ends_with("l")) return {TrimBlanks(field.substr(0, field.size() - 1)), true};
  return {field, false};
}

// The year field without the era written before or after its number: a Japanese era (letter, name
// or kanji, with "元" for year 1) or the calendar's era ("Minguo 113", "2567 BE").
struct YearFieldText {
  std::string digits;
  std::optional<JapaneseEra> era;
  bool valid = true;
};
YearFieldText WithoutEra(std::string_view field, CalendarCode code) {
  field = TrimBlanks(field);
  YearFieldText read;
  if (code == cal::JPN) {
    if (const std::optional<KanjiEra> kanji = JapaneseEraAtStart(field)) {
      read.era = kanji->era;
      field = TrimBlanks(field.substr(kanji->length));
      if (field == "元" || field == "元年") return {"1", read.era, true};
      if (field.ends_with("年")) field.remove_suffix(std::string_view("年").size());
    } else {
      std::size_t letters = 0;
      while (letters < field.size() && ((field[letters] | 0x20) >= 'a' && (field[letters] | 0x20) <= 'z')) ++letters;
      read.era = JapaneseEraOfKey(NameKey(field.substr(0, letters)));
      field = TrimBlanks(field.substr(letters));
    }
    read.valid = read.era.has_value();
    read.digits = std::string(field);
    return read;
  }
  // Letters before or after the digits must be the calendar's era.
  std::size_t first = 0;
  while (first < field.size() && !IsDigit(field[first]) && field[first] != '-') ++first;
  std::size_t last = field.size();
  while (last > first && !IsDigit(field[last - 1])) --last;
  const std::string before = NameKey(field.substr(0, first));
  const std::string after = NameKey(field.substr(last));
  if (!before.empty() || !after.empty()) {
    read.valid = (before.empty() || IsAddedEraKey(code, before)) && (after.empty() || IsAddedEraKey(code, after));
    field = field.substr(first, last - first);
  }
  read.digits = std::string(field);
  return read;
}

// The calendars whose era may stand with the year of the numeric form ("Minguo 113-12-08",
// "2567-12-08 BE" in day-month-year order); the Japanese one must have it.
bool EraMayMarkYear(CalendarCode code) {
  return code == cal::ROC || code == cal::THA || code == cal::BAH || code == cal::UMQ;
}

// The text without the calendar's code after it ("R7-12-08 JPN"), as pasted text may carry it.
std::string_view WithoutTrailingCode(std::string_view text, CalendarCode code) {
  text = TrimBlanks(text);
  const std::string_view name = CalendarTextCode(code);
  if (text.size() <= name.size() || text[text.size() - name.size() - 1] != ' ') return text;
  if (NameKey(text.substr(text.size() - name.size())) != NameKey(name)) return text;
  return TrimBlanks(text.substr(0, text.size() - name.size()));
}

// The text without the calendar's era as a word before or after the date ("Minguo 113-10-10",
// "182-00-03 BE"), wherever the field order puts the year.
std::string_view WithoutEraWords(std::string_view text, CalendarCode code) {
  if (const std::size_t blank = text.rfind(' '); blank != std::string_view::npos &&
                                                 IsAddedEraKey(code, NameKey(text.substr(blank + 1)))) {
    text = TrimBlanks(text.substr(0, blank));
  }
  if (const std::size_t blank = text.find(' '); blank != std::string_view::npos &&
                                                IsAddedEraKey(code, NameKey(text.substr(0, blank)))) {
    text = TrimBlanks(text.substr(blank + 1));
  }
  return text;
}

// The days any month of a labelled calendar may have: a reader's first test, before the label is
// turned into its place and the date is held to the month it names. Labels run from 0 (the
// Bahá'í Ayyám-i-Há) to 19 (the Bahá'í ʿAláʾ, the highest any calendar writes).
int16_t AnyLabelledMonthDays(int32_t, int16_t month) { return month >= 0 && month <= 19 ? 31 : 0; }

// The numeric form. Without marks it is read as CE dates are; with them (a leap month, a Japanese
// era, a calendar's era) the text must hold exactly three fields and each mark must stand in its
// field, or the text is no date: a mark is never left out unseen.
int16_t ReadNumericForm(const AddedCalendarRules& rules, std::string_view text, CalendarCode code,
                        const DateTextOptions& options, DateFields& date, ReadFit* fit) {
  const bool labels = HasLabels(rules) || code == cal::JPN;
  std::string rebuilt;
  bool leap = false;
  std::optional<JapaneseEra> era;
  const bool marked = code == cal::JPN || (rules.leap_month != nullptr && HasLeapMarkCharacter(text)) ||
                      (EraMayMarkYear(code) && HasLetter(text));
  if (marked) {
    text = WithoutEraWords(WithoutTrailingCode(text, code), code);
    if (options.date_separator.size() != 1) return kReadNotValid;
    const char separator = options.date_separator.front();
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
      if (i == text.size() || text[i] == separator) {
        fields.push_back(text.substr(start, i - start));
        start = i + 1;
      }
    }
    if (fields.size() != 3) return kReadNotValid;
    std::string parts[3];
    for (std::size_t f = 0; f < 3; ++f) parts[f] = std::string(TrimBlanks(fields[f]));
    if (rules.leap_month != nullptr) {
      const MonthFieldText month = WithoutLeapMark(parts[MonthField(options.format)]);
      leap = month.leap;
      parts[MonthField(options.format)] = std::string(month.digits);
    }
    const YearFieldText year = WithoutEra(parts[YearField(options.format)], code);
    if (!year.valid) return kReadNotValid;
    era = year.era;
    parts[YearField(options.format)] = year.digits;
    // What is left must be the plain numeric form: any other letter is no part of it.
    for (const std::string& part : parts) {
      if (HasLetter(part)) return kReadNotValid;
    }
    rebuilt = parts[0] + separator + parts[1] + separator + parts[2];
    text = rebuilt;
  }
  DateFields fields;
  const int16_t read = ParseFieldsDate(text, options.date_separator, options.format,
                                       labels ? AnyLabelledMonthDays : rules.days_in_month, kAddedYearLimit, fields, fit);
  if (read != kReadValid) return read;
  int64_t year = fields.Year;
  int16_t place = static_cast<int16_t>(fields.Month);
  if (code == cal::JPN) {
    const JapaneseDate japanese{*era, fields.Year, static_cast<int16_t>(fields.Month), static_cast<int16_t>(fields.Day)};
    if (fields.Year < 1) return kReadNotValid;
    year = int64_t{JapaneseEraFirstYear(*era)} + fields.Year - 1;
    // Before 1873 the date lies outside the calendar's range; within it, it must lie in its era.
    if (year >= 1873 && !IsJapaneseDate(japanese)) return kReadNotValid;
  } else if (labels) {
    if (HasNarrowRange(rules) && !IsYearInRange(rules, year)) return kReadOutOfRange;
    place = MonthPlaceOf(rules, fields.Year, MonthLabel{static_cast<int16_t>(fields.Month), leap});
    if (place == 0) return kReadNotValid;
  }
  return Place(rules, CalendarDate{.year = static_cast<int32_t>(year), .month = place, .day = static_cast<int16_t>(fields.Day)},
               date);
}

}  // namespace

int16_t ParseAddedDate(std::string_view text, CalendarCode code, const DateTextOptions& options, DateFields& date,
                       ReadFit* fit) {
  const AddedCalendarRules* rules = AddedCalendarRulesOf(code);
  if (rules == nullptr) return kReadNotValid;
  return ParseAddedDateWith(*rules, text, code, options, date, fit);
}

int16_t ParseAddedDateWith(const AddedCalendarRules& rules, std::string_view text, CalendarCode code,
                           const DateTextOptions& options, DateFields& date, ReadFit* fit) {
  if (HasLetter(text)) {
    if (const std::optional<CalendarDate> named = ReadNamedDate(rules, text, code)) return Place(rules, *named, date);
  }
  return ReadNumericForm(rules, text, code, options, date, fit);
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

bool WriteAddedDate(TextBuilder& text, int32_t day_number, CalendarCode code, const DateTextOptions& options,
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
    return true;
  }
  const AddedCalendarRules* rules = AddedCalendarRulesOf(code);
  if (rules == nullptr) return false;
  return WriteAddedDateWith(*rules, text, day_number, code, options, record);
}

namespace {

// A field of two digits or more: "08", "12", "113".
std::string TwoDigits(int64_t value) {
  std::string digits = std::to_string(value);
  if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
  return digits;
}

// The three fields in the order of `format`, with the date separator between them.
void AddFields(TextBuilder& text, const DateTextOptions& options, std::string_view year, std::string_view month,
               std::string_view day) {
  const std::string_view separator = options.date_separator;
  if (options.format == kFormatMDY) {
    text.Add(month), text.Add(separator), text.Add(day), text.Add(separator), text.Add(year);
  } else if (options.format == kFormatDMY) {
    text.Add(day), text.Add(separator), text.Add(month), text.Add(separator), text.Add(year);
  } else {
    text.Add(year), text.Add(separator), text.Add(month), text.Add(separator), text.Add(day);
  }
}

}  // namespace

bool WriteAddedDateWith(const AddedCalendarRules& rules, TextBuilder& text, int32_t day_number, CalendarCode code,
                        const DateTextOptions& options, DateFields* record) {
  const std::optional<CalendarDate> found = AddedDateOf(rules, day_number);
  if (!found) return false;
  const CalendarDate date = *found;
  const MonthLabel label = MonthLabelOf(rules, date.year, date.month);
  DateFields fields;
  fields.Year = date.year;
  fields.Month = label.number;
  fields.Day = date.day;
  fields.Calendar = kLetterGregorian;  // the numeric form is that of a CE date
  fields.DayNumber = day_number;
  if (code == cal::JPN) {
    // The era's letter before its year: "R7-12-08".
    const JapaneseDate japanese = JapaneseFromDayNumber(day_number);
    const std::string year = std::string(JapaneseEraLetter(japanese.era)) + std::to_string(japanese.year);
    AddFields(text, options, year, TwoDigits(japanese.month), TwoDigits(japanese.day));
  } else if (label.leap) {
    // "L" before the leap month's number: "2023-L02-15". A lunisolar year is one of a few hundred
    // around today's, written as it is.
    AddFields(text, options, std::to_string(date.year), "L" + TwoDigits(label.number), TwoDigits(date.day));
  } else {
    FormatDate(text, fields, options.format, options.date_separator, options.thousands_separator, Suffix::Without);
  }
  if (record != nullptr) {
    *record = fields;
    record->Month = date.month;  // the record counts places, as months mode does
    record->Calendar = 0;
  }
  return true;
}

namespace {

// "8 December", the day and its month's name, as every named form begins.
std::string DayAndMonth(CalendarCode code, const CalendarDate& date, MonthLabel label, Language language) {
  std::string text = std::to_string(date.day);
  return text.append(" ").append(AddedMonthLabelName(code, label, language));
}

// A Japanese date in kanji: "令和7年12月8日", the era's first year as 元年.
std::string JapaneseInKanji(const JapaneseDate& date) {
  std::string text(JapaneseEraKanji(date.era));
  text.append(date.year == 1 ? std::string("元") : std::to_string(date.year)).append("年");
  return text.append(std::to_string(date.month)).append("月").append(std::to_string(date.day)).append("日");
}

// The Korean calendar's era: the Dangi year, counted from 2333 BCE.
constexpr int32_t kDangiYearOffset = 2333;

}  // namespace

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
  return AddedCalendarNoteWith(*rules, code, day_number, language);
}

std::string AddedCalendarNoteWith(const AddedCalendarRules& rules, CalendarCode code, int32_t day_number,
                                  Language language) {
  std::string note;
  const std::optional<CalendarDate> found = AddedDateOf(rules, day_number);
  if (!found) return note;
  const CalendarDate date = *found;
  const MonthLabel label = MonthLabelOf(rules, date.year, date.month);
  if (code == cal::JPN) {
    // "8 December Reiwa 7, 令和7年12月8日"
    const JapaneseDate japanese = JapaneseFromDayNumber(day_number);
    note = DayAndMonth(code, date, label, language);
    note.append(" ").append(JapaneseEraName(japanese.era)).append(" ");
    AddNumber(note, japanese.year);
    return note.append(", ").append(JapaneseInKanji(japanese));
  }
  if (code == cal::ROC) {
    // "8 December Minguo 113, 民國113年12月8日"
    note = DayAndMonth(code, date, label, language);
    note.append(" ").append(AddedEraName(code)).append(" ");
    AddNumber(note, date.year);
    note.append(", 民國");
    AddNumber(note, date.year);
    return note.append("年").append(std::to_string(label.number)).append("月").append(std::to_string(date.day)).append("日");
  }
  if (rules.leap_month != nullptr) {
    // "15 Third Month 2024, 甲辰年 三月十五, Year of the Dragon", the Korean and Vietnamese forms
    // in their own writing.
    note = DayAndMonth(code, date, label, language);
    note.append(" ");
    AddNumber(note, date.year);
    note.append(", ");
    if (code == cal::KOR) {
      note.append(SexagenaryYear(date.year, code)).append("년 ").append(LunisolarMonthDay(code, label, date.day));
      note.append(", Dangi ");
      AddNumber(note, int64_t{date.year} + kDangiYearOffset);
      return note;
    }
    if (code == cal::VNM) {
      note.append(SexagenaryYear(date.year, code)).append(", ").append(LunisolarMonthDay(code, label, date.day));
    } else {
      note.append(SexagenaryYear(date.year, code)).append("年 ").append(LunisolarMonthDay(code, label, date.day));
    }
    return note.append(", ").append(ZodiacYear(date.year, code, language));
  }
  if (code == cal::HEB) {
    AddNumber(note, date.day);
    note.append(" ").append(AddedMonthName(code, date.year, date.month, language));
  } else {
    note = DayAndMonth(code, date, label, language);
  }
  note.append(" ");
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
  const std::string_view era = AddedEraName(code);
  if (!era.empty()) note.append(" ").append(era);
  return note;
}

std::optional<AddedDateNumbers> AddedDateNumbersOf(CalendarCode code, int32_t day_number) {
  const AddedCalendarRules* rules = AddedCalendarRulesOf(code);
  if (rules == nullptr) return std::nullopt;
  const std::optional<CalendarDate> date = AddedDateOf(*rules, day_number);
  if (!date) return std::nullopt;
  AddedDateNumbers numbers{.year = date->year,
                           .month = MonthLabelOf(*rules, date->year, date->month),
                           .day = date->day,
                           .era = {},
                           .lunisolar = rules->leap_month != nullptr,
                           .counted = *date};
  if (code == cal::JPN) {
    const JapaneseDate japanese = JapaneseFromDayNumber(day_number);
    numbers.year = japanese.year;
    numbers.era = JapaneseEraName(japanese.era);
  }
  return numbers;
}

}  // namespace qv
