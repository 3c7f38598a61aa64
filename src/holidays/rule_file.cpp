#include "holidays/rule_file.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <utility>

#include "calendar/civil.h"
#include "holidays/file_lines.h"
#include "text/utf8.h"

namespace qv::holidays {
namespace {

constexpr int32_t kLargestYear = 999'999'999;  // nine digits: no sum of years leaves 32 bits

// The words of a text, split at spaces and tabs.
std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

// A whole number of at most `digits` digits, nothing else.
std::optional<int64_t> Number(std::string_view text, size_t digits = 9) {
  if (text.empty() || text.size() > digits) return std::nullopt;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// "+N" or "-N".
std::optional<int64_t> Signed(std::string_view text) {
  if (text.size() < 2 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
  const std::optional<int64_t> value = Number(text.substr(1), 4);
  if (!value) return std::nullopt;
  return text[0] == '-' ? -*value : *value;
}

std::optional<Weekday> WeekdayOf(std::string_view word) {
  static constexpr std::array<std::string_view, 7> kNames{"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
  for (size_t i = 0; i < kNames.size(); ++i) {
    if (word == kNames[i]) return static_cast<Weekday>(i + 1);
  }
  return std::nullopt;
}

std::optional<int8_t> Month(std::string_view text) {
  const std::optional<int64_t> month = Number(text, 2);
  if (!month || *month < 1 || *month > 12) return std::nullopt;
  return static_cast<int8_t>(*month);
}

// "MM-DD" (any day 1 … 31: whether the month has it is checked with the whole rule).
bool MonthDay(std::string_view text, int8_t& month, int8_t& day) {
  const size_t dash = text.find('-');
  if (dash == std::string_view::npos) return false;
  const std::optional<int8_t> m = Month(text.substr(0, dash));
  const std::optional<int64_t> d = Number(text.substr(dash + 1), 2);
  if (!m || !d || *d < 1 || *d > 31) return false;
  month = *m, day = static_cast<int8_t>(*d);
  return true;
}

// "YYYY-MM-DD" (a year of 1 … 9 digits).
bool FullDate(std::string_view text, int32_t& year, int8_t& month, int8_t& day) {
  const size_t dash = text.find('-');
  if (dash == std::string_view::npos || dash == 0) return false;
  const std::optional<int64_t> y = Number(text.substr(0, dash));
  if (!y || !MonthDay(text.substr(dash + 1), month, day)) return false;
  year = static_cast<int32_t>(*y);
  return true;
}

struct YearRange {
  int32_t first = 0;
  int32_t last = kNoLastYear;
};

// "1995..2013", "2018..", "..2004", "2028", and lists of them.
bool YearList(std::string_view text, std::vector<YearRange>& out) {
  if (text.empty()) return false;
  while (true) {
    const size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    const size_t dots = item.find("..");
    YearRange range;
    if (dots == std::string_view::npos) {
      const std::optional<int64_t> year = Number(item);
      if (!year) return false;
      range.first = range.last = static_cast<int32_t>(*year);
    } else {
      const std::string_view from = item.substr(0, dots), to = item.substr(dots + 2);
      if (from.empty() && to.empty()) return false;
      if (!from.empty()) {
        const std::optional<int64_t> year = Number(from);
        if (!year) return false;
        range.first = static_cast<int32_t>(*year);
      }
      if (!to.empty()) {
        const std::optional<int64_t> year = Number(to);
        if (!year) return false;
        range.last = static_cast<int32_t>(*year);
      }
    }
    if (range.first > range.last) return false;
    out.push_back(range);
    if (comma == std::string_view::npos) return true;
    text.remove_prefix(comma + 1);
  }
}

std::optional<Substitute> SubstituteOf(std::string_view text) {
  static constexpr std::pair<std::string_view, Substitute> kKinds[] = {
      {"sun-mon", Substitute::SundayToMonday},     {"sat-fri,sun-mon", Substitute::NearestWeekday},
      {"next-free", Substitute::NextFreeWeekday},  {"next-free-sun", Substitute::NextFreeDay},
      {"move-mon", Substitute::MoveToMonday},      {"move-nearest", Substitute::MoveToNearest},
  };
  for (const auto& [name, kind] : kKinds) {
    if (text == name) return kind;
  }
  return std::nullopt;
}

// An Easter offset: "", "+N", "-N" after the keyword.
std::optional<int16_t> EasterOffset(std::string_view rest) {
  if (rest.empty()) return int16_t{0};
  const std::optional<int64_t> offset = Signed(rest);
  if (!offset || *offset < -400 || *offset > 400) return std::nullopt;
  return static_cast<int16_t>(*offset);
}

struct LineReading {
  std::optional<RuleFileProblem> problem;
  std::vector<HolidayRule> rules;  // one per range of years
  std::vector<YearRange> provisional;  // provisional=: the years its day is projected
};

std::optional<DayKind> DayKindOf(std::string_view text) {
  static constexpr std::pair<std::string_view, DayKind> kKinds[] = {
      {"law", DayKind::Law}, {"rest", DayKind::Rest}, {"custom", DayKind::Custom}, {"half", DayKind::Half}};
  for (const auto& [name, kind] : kKinds) {
    if (text == name) return kind;
  }
  return std::nullopt;
}

// The rule, its shift and its attributes; `one_off` is set for a YYYY-MM-DD rule.
LineReading ReadRule(std::string_view text, int32_t region_first_year, bool directive_citizens) {
  LineReading reading;
  const std::vector<std::string_view> words = Words(text);
  const auto fail = [&](RuleFileProblem problem) {
    reading.problem = problem;
    reading.rules.clear();
    return reading;
  };
  HolidayRule rule;
  size_t next = 0;
  std::optional<int32_t> one_off;
  if (directive_citizens) {
    rule.kind = RuleKind::CitizensHoliday;
    next = 1;
  } else {
    if (words.empty()) return fail(RuleFileProblem::BadRule);
    const std::string_view first = words[0];
    int32_t year = 0;
    if (first.starts_with("orthodox-easter")) {
      const std::optional<int16_t> offset = EasterOffset(first.substr(15));
      if (!offset) return fail(RuleFileProblem::BadRule);
      rule.kind = RuleKind::OrthodoxEasterOffset, rule.easter_offset = *offset, next = 1;
    } else if (first.starts_with("easter")) {
      const std::optional<int16_t> offset = EasterOffset(first.substr(6));
      if (!offset) return fail(RuleFileProblem::BadRule);
      rule.kind = RuleKind::EasterOffset, rule.easter_offset = *offset, next = 1;
    } else if (first == "equinox-march" || first == "equinox-september") {
      rule.kind = first == "equinox-march" ? RuleKind::MarchEquinox : RuleKind::SeptemberEquinox, next = 1;
    } else if (first.size() <= 5 && MonthDay(first, rule.month, rule.day)) {
      rule.kind = RuleKind::FixedDate, next = 1;
    } else if (FullDate(first, year, rule.month, rule.day)) {
      rule.kind = RuleKind::FixedDate, one_off = year, next = 1;
    } else if (words.size() >= 3 && (first == "last" || Number(first, 1))) {
      const std::optional<Weekday> weekday = WeekdayOf(words[1]);
      const std::optional<int8_t> month = Month(words[2]);
      if (!weekday || !month) return fail(RuleFileProblem::BadRule);
      rule.weekday = *weekday, rule.month = *month, next = 3;
      if (first == "last") {
        rule.kind = RuleKind::LastWeekday;
      } else {
        const int64_t nth = *Number(first, 1);
        if (nth < 1 || nth > 5) return fail(RuleFileProblem::BadRule);
        rule.kind = RuleKind::NthWeekday, rule.nth = static_cast<int8_t>(nth);
      }
    } else if (words.size() >= 3 && WeekdayOf(first)) {
      static constexpr std::pair<std::string_view, RuleKind> kRelations[] = {
          {"before", RuleKind::WeekdayBefore},       {"on-or-before", RuleKind::WeekdayOnOrBefore},
          {"after", RuleKind::WeekdayAfter},         {"on-or-after", RuleKind::WeekdayOnOrAfter},
          {"nearest", RuleKind::WeekdayNearest},
      };
      const auto relation = std::find_if(std::begin(kRelations), std::end(kRelations),
                                         [&](const auto& r) { return r.first == words[1]; });
      if (relation == std::end(kRelations) || !MonthDay(words[2], rule.month, rule.day)) {
        return fail(RuleFileProblem::BadRule);
      }
      rule.kind = relation->second, rule.weekday = *WeekdayOf(first), next = 3;
    } else {
      return fail(RuleFileProblem::BadRule);
    }
    if (next < words.size()) {
      if (const std::optional<int64_t> shift = Signed(words[next])) {
        if (*shift < -kLargestShift || *shift > kLargestShift) return fail(RuleFileProblem::RuleOutOfRange);
        rule.shift = static_cast<int16_t>(*shift);
        ++next;
      }
    }
  }
  std::vector<YearRange> years;
  std::vector<YearRange> except;
  std::optional<int32_t> from, until;
  bool seen_years = false, seen_every = false, seen_except = false, seen_sub = false, seen_kind = false,
       seen_provisional = false;
  for (; next < words.size(); ++next) {
    const std::string_view word = words[next];
    const size_t equals = word.find('=');
    if (equals == std::string_view::npos) return fail(RuleFileProblem::BadAttribute);
    const std::string_view key = word.substr(0, equals), value = word.substr(equals + 1);
    if (key == "years" && !seen_years) {
      seen_years = true;
      if (!YearList(value, years)) return fail(RuleFileProblem::BadYears);
    } else if (key == "except" && !seen_except) {
      seen_except = true;
      if (!YearList(value, except)) return fail(RuleFileProblem::BadYears);
    } else if (key == "every" && !seen_every) {
      seen_every = true;
      const size_t colon = value.find(':');
      if (colon == std::string_view::npos) return fail(RuleFileProblem::BadAttribute);
      const std::optional<int64_t> n = Number(value.substr(0, colon), 4), from = Number(value.substr(colon + 1));
      if (!n || !from || *n < 1) return fail(RuleFileProblem::BadAttribute);
      rule.every = static_cast<uint16_t>(*n), rule.every_from = static_cast<int32_t>(*from);
    } else if ((key == "from" && !from) || (key == "until" && !until)) {
      const std::optional<int64_t> year = Number(value);
      if (!year) return fail(RuleFileProblem::BadYears);
      (key == "from" ? from : until) = static_cast<int32_t>(*year);
    } else if (key == "kind" && !seen_kind) {
      seen_kind = true;
      const std::optional<DayKind> kind = DayKindOf(value);
      if (!kind) return fail(RuleFileProblem::BadAttribute);
      rule.day_kind = *kind;
    } else if (key == "provisional" && !seen_provisional) {
      seen_provisional = true;
      if (!YearList(value, reading.provisional)) return fail(RuleFileProblem::BadYears);
    } else if (key == "sub" && !seen_sub && !directive_citizens) {
      seen_sub = true;
      const std::optional<Substitute> substitute = SubstituteOf(value);
      if (!substitute) return fail(RuleFileProblem::BadAttribute);
      rule.substitute = *substitute;
    } else {
      return fail(RuleFileProblem::BadAttribute);
    }
  }
  if (one_off) {
    if (seen_years || seen_every || seen_except || from || until) return fail(RuleFileProblem::BadAttribute);
    years.push_back(YearRange{*one_off, *one_off});
  }
  // from= and until=: one range, in place of years=.
  if (from || until) {
    if (seen_years) return fail(RuleFileProblem::BadAttribute);
    const YearRange range{from.value_or(region_first_year), until.value_or(kNoLastYear)};
    if (range.first > range.last) return fail(RuleFileProblem::BadYears);
    years.push_back(range);
  }
  if (years.empty()) years.push_back(YearRange{region_first_year, kNoLastYear});
  for (YearRange& range : years) {
    if (range.last == kNoLastYear && range.first > kLargestYear) return fail(RuleFileProblem::BadYears);
  }
  // except=: each range cut around the years left out.
  std::sort(except.begin(), except.end(), [](const YearRange& a, const YearRange& b) { return a.first < b.first; });
  for (const YearRange& range : years) {
    int32_t from = range.first;
    bool open = true;
    for (const YearRange& gap : except) {
      if (gap.last < from || gap.first > range.last) continue;
      if (gap.first > from) {
        HolidayRule piece = rule;
        piece.first_year = from, piece.last_year = gap.first - 1;
        reading.rules.push_back(piece);
      }
      if (gap.last >= range.last) {
        open = false;
        break;
      }
      from = gap.last + 1;
    }
    if (open) {
      HolidayRule piece = rule;
      piece.first_year = from, piece.last_year = range.last;
      reading.rules.push_back(piece);
    }
  }
  if (reading.rules.empty()) return fail(RuleFileProblem::BadYears);
  for (const HolidayRule& piece : reading.rules) {
    if (!IsValidRule(piece)) return fail(RuleFileProblem::RuleOutOfRange);
  }
  return reading;
}

bool IsRegionCode(std::string_view code) {
  if (code.size() < 2 || code.size() > 24) return false;
  for (char c : code) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!letter && c != '-') return false;
  }
  return code.front() != '-' && code.back() != '-';
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// The keyword of a line and the text after it.
std::pair<std::string_view, std::string_view> Keyword(std::string_view line) {
  const size_t end = line.find_first_of(" \t");
  if (end == std::string_view::npos) return {line, {}};
  return {line.substr(0, end), TrimLineBlanks(line.substr(end))};
}

// The fields of a holiday line, split at '|'.
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  while (true) {
    const size_t bar = line.find('|');
    fields.push_back(TrimLineBlanks(line.substr(0, bar)));
    if (bar == std::string_view::npos) return fields;
    line.remove_prefix(bar + 1);
  }
}

// A comment starts at '#' at the line's start or after a space or tab (a '#' inside a word, as in a
// source's URL, is part of it).
std::string_view WithoutComment(std::string_view line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) return line.substr(0, i);
  }
  return line;
}

}  // namespace

std::string_view RuleFileProblemText(RuleFileProblem problem, Language language) {
  const bool german = language == Language::German;
  switch (problem) {
    case RuleFileProblem::NotUtf8:
      return german ? "kein UTF-8-Text" : "not UTF-8 text";
    case RuleFileProblem::UnknownLine:
      return german ? "unbekannte Zeile" : "unknown line";
    case RuleFileProblem::OutsideRegion:
      return german ? "Zeile vor der ersten Region (region CODE JAHR)"
                     : "line before the first region (region CODE YEAR)";
    case RuleFileProblem::BadRegion:
      return german ? "Region braucht einen Code und ein erstes Jahr" : "a region needs a code and a first year";
    case RuleFileProblem::DuplicateRegion:
      return german ? "Region doppelt" : "region given twice";
    case RuleFileProblem::BadRule:
      return german ? "keine Regel" : "not a rule";
    case RuleFileProblem::BadAttribute:
      return german ? "Angabe unbekannt, doppelt oder fehlerhaft" : "attribute unknown, repeated or malformed";
    case RuleFileProblem::BadYears:
      return german ? "Jahre fehlerhaft" : "years malformed or none left";
    case RuleFileProblem::BadNames:
      return german ? "erwartet: Regel | englischer Name | deutscher Name [| Quelle]"
                     : "expected: rule | English name | German name [| source]";
    case RuleFileProblem::RuleOutOfRange:
      return german ? "Verschiebung, Tag oder Ersatztag außerhalb des Bereichs"
                     : "offset, day or substitute out of range";
    case RuleFileProblem::UnknownRegion:
      return german ? "unbekannte Region" : "unknown region";
    case RuleFileProblem::RegionCycle:
      return german ? "Regionen schließen sich gegenseitig ein" : "regions include each other";
    case RuleFileProblem::MissingName:
      return german ? "Region ohne Namen (eine Zeile \"en Name\" oder \"de Name\" fehlt)"
                    : "region without a name (a line \"en Name\" or \"de Name\" is missing)";
    case RuleFileProblem::CannotRead:
      return german ? "Die Datei kann nicht gelesen werden" : "cannot read the file";
  }
  return {};
}

std::string RuleFileErrorText(const RuleFileError& error, Language language) {
  return FileErrorText(error.file, error.line, RuleFileProblemText(error.problem, language), error.detail,
                       language == Language::German);
}

RuleFileResult ParseRuleFile(std::string_view contents, std::string_view file_name) {
  std::vector<RuleRegion> regions;
  std::string source;
  const auto fail = [&](int64_t line, RuleFileProblem problem, std::string_view text) {
    return RuleFileError{.file = std::string(file_name), .line = line, .problem = problem, .detail = LineDetail(text)};
  };
  FileLines lines(contents);
  std::string_view raw;
  while (lines.Next(raw)) {
    const int64_t line_number = lines.Number();
    if (!IsValidUtf8(raw) || raw.find('\0') != std::string_view::npos) return fail(line_number, RuleFileProblem::NotUtf8, "");
    const std::string_view line = TrimLineBlanks(WithoutComment(raw));
    if (line.empty()) continue;
    const auto [keyword, rest] = Keyword(line);
    if (keyword == "region") {
      const std::vector<std::string_view> words = Words(rest);
      if (words.size() != 2 || !IsRegionCode(words[0]) || !Number(words[1])) {
        return fail(line_number, RuleFileProblem::BadRegion, line);
      }
      RuleRegion region;
      region.code = Upper(words[0]);
      region.first_year = static_cast<int32_t>(*Number(words[1]));
      region.file = std::string(file_name);
      region.line = line_number;
      for (const RuleRegion& other : regions) {
        if (other.code == region.code) return fail(line_number, RuleFileProblem::DuplicateRegion, region.code);
      }
      regions.push_back(std::move(region));
      source.clear();
      continue;
    }
    if (regions.empty()) return fail(line_number, RuleFileProblem::OutsideRegion, line);
    RuleRegion& region = regions.back();
    if (keyword == "en" || keyword == "de") {
      if (rest.empty() || rest.find('|') != std::string_view::npos) return fail(line_number, RuleFileProblem::BadNames, line);
      (keyword == "en" ? region.en : region.de) = std::string(rest);
    } else if (keyword == "with") {
      if (!IsRegionCode(rest)) return fail(line_number, RuleFileProblem::UnknownRegion, line);
      region.with.push_back(Upper(rest));
    } else if (keyword == "note") {
      region.note = std::string(rest);
    } else if (keyword == "source") {
      source = std::string(rest);
    } else if (keyword == "unknown" || keyword == "provisional") {
      // "unknown YEARS | why", "provisional YEARS | why": the why is for the reader of the file.
      std::vector<YearRange> years;
      if (!YearList(TrimLineBlanks(rest.substr(0, rest.find('|'))), years)) {
        return fail(line_number, RuleFileProblem::BadYears, line);
      }
      for (const YearRange& range : years) {
        (keyword == "unknown" ? region.unknown : region.provisional).push_back(YearSpan{range.first, range.last});
      }
    } else if (keyword == "complete") {
      // "complete YEAR | source": the year's dated lines are the whole year.
      const std::optional<int64_t> year = Number(TrimLineBlanks(rest.substr(0, rest.find('|'))));
      if (!year) return fail(line_number, RuleFileProblem::BadYears, line);
      region.complete_years.push_back(static_cast<int32_t>(*year));
    } else if (keyword == "hidden" && rest.empty()) {
      region.hidden = true;
    } else if (keyword == "workday") {
      const std::vector<std::string_view> fields = Fields(rest);
      if (fields.size() < 3 || fields.size() > 4 || fields[1].empty() || fields[2].empty()) {
        return fail(line_number, RuleFileProblem::BadNames, line);
      }
      WorkdayLine workday;
      if (!FullDate(fields[0], workday.year, workday.month, workday.day) ||
          workday.day > civil::GregorianMonthLength(workday.year, workday.month)) {
        return fail(line_number, RuleFileProblem::BadRule, line);
      }
      workday.en = std::string(fields[1]), workday.de = std::string(fields[2]);
      workday.source = fields.size() == 4 ? std::string(fields[3]) : source;
      workday.line = line_number;
      region.workdays.push_back(std::move(workday));
    } else {
      // A holiday line, or the citizens' holiday directive with optional attributes and names.
      const bool citizens = keyword == "citizens-holiday";
      const std::vector<std::string_view> fields = Fields(line);
      if (citizens ? (fields.size() != 1 && fields.size() != 3 && fields.size() != 4)
                   : (fields.size() < 3 || fields.size() > 4)) {
        return fail(line_number, fields.size() == 1 ? RuleFileProblem::UnknownLine : RuleFileProblem::BadNames, line);
      }
      if (fields.size() >= 3 && (fields[1].empty() || fields[2].empty())) return fail(line_number, RuleFileProblem::BadNames, line);
      LineReading reading = ReadRule(fields[0], region.first_year, citizens);
      if (reading.problem) return fail(line_number, *reading.problem, line);
      for (const YearRange& range : reading.provisional) region.provisional.push_back(YearSpan{range.first, range.last});
      for (const HolidayRule& rule : reading.rules) {
        RuleLine rule_line;
        rule_line.rule = rule;
        rule_line.en = fields.size() >= 3 ? std::string(fields[1]) : std::string("Citizens' Holiday");
        rule_line.de = fields.size() >= 3 ? std::string(fields[2]) : std::string("Bürgerfeiertag");
        rule_line.source = fields.size() == 4 ? std::string(fields[3]) : source;
        rule_line.line = line_number;
        region.rules.push_back(std::move(rule_line));
      }
    }
  }
  // A region named in one language only is called by that name in both; one with no name at all
  // could not be shown.
  for (RuleRegion& region : regions) {
    if (region.en.empty() && region.de.empty()) return fail(region.line, RuleFileProblem::MissingName, region.code);
    if (region.en.empty()) region.en = region.de;
    if (region.de.empty()) region.de = region.en;
    // A complete year needs its dated lines: without them the year would list nothing.
    for (const int32_t year : region.complete_years) {
      const bool dated = std::any_of(region.rules.begin(), region.rules.end(), [&](const RuleLine& line) {
        return line.rule.first_year == year && line.rule.last_year == year;
      });
      if (!dated) return fail(region.line, RuleFileProblem::BadYears, region.code + " complete " + std::to_string(year));
    }
    region.unknown = JoinedSpans(std::move(region.unknown));
    region.provisional = JoinedSpans(std::move(region.provisional));
  }
  return regions;
}

namespace {

// A region knows only the years the regions it includes know too, and is provisional where they are.
void TakeYearsOf(const RuleRegion& included, RuleRegion& region) {
  region.first_year = std::max(region.first_year, included.first_year);
  region.unknown.insert(region.unknown.end(), included.unknown.begin(), included.unknown.end());
  region.unknown = JoinedSpans(std::move(region.unknown));
  region.provisional.insert(region.provisional.end(), included.provisional.begin(), included.provisional.end());
  region.provisional = JoinedSpans(std::move(region.provisional));
}

// In a complete year only the region's own lines dated in that year hold: every other rule, its own
// or included, is cut around the year. The year's list is published, so it is not provisional.
void LeaveOutCompleteYears(RuleRegion& region, size_t own_start, std::vector<RuleLine>& rules) {
  if (region.complete_years.empty()) return;
  std::sort(region.complete_years.begin(), region.complete_years.end());
  std::vector<RuleLine> kept;
  for (size_t r = 0; r < rules.size(); ++r) {
    const HolidayRule& rule = rules[r].rule;
    const bool own_dated = r >= own_start && rule.first_year == rule.last_year &&
                           std::binary_search(region.complete_years.begin(), region.complete_years.end(), rule.first_year);
    if (own_dated) {
      kept.push_back(rules[r]);
      continue;
    }
    int32_t from = rule.first_year;
    bool open = true;
    for (const int32_t year : region.complete_years) {
      if (year < from || year > rule.last_year) continue;
      if (year > from) {
        RuleLine piece = rules[r];
        piece.rule.first_year = from, piece.rule.last_year = year - 1;
        kept.push_back(std::move(piece));
      }
      if (year == rule.last_year) {
        open = false;
        break;
      }
      from = year + 1;
    }
    if (open) {
      RuleLine piece = rules[r];
      piece.rule.first_year = from;
      kept.push_back(std::move(piece));
    }
  }
  rules = std::move(kept);
  std::vector<YearSpan> provisional;
  for (YearSpan span : region.provisional) {
    for (const int32_t year : region.complete_years) {
      if (year < span.first || year > span.last) continue;
      if (year > span.first) provisional.push_back(YearSpan{span.first, year - 1});
      if (year == span.last) {
        span.first = span.last + 1;  // nothing left (span.last < kNoLastYear here: a complete year is a year)
        break;
      }
      span.first = year + 1;
    }
    if (span.first <= span.last) provisional.push_back(span);
  }
  region.provisional = JoinedSpans(std::move(provisional));
}

}  // namespace

RuleFileResult ResolveRegions(std::vector<RuleRegion> regions, const OutsideRegions& outside) {
  std::map<std::string, size_t, std::less<>> index;
  for (size_t i = 0; i < regions.size(); ++i) {
    if (!index.emplace(regions[i].code, i).second) {
      return RuleFileError{.file = regions[i].file, .line = regions[i].line, .problem = RuleFileProblem::DuplicateRegion,
                           .detail = regions[i].code};
    }
  }
  // Depth-first: 0 not visited, 1 being resolved, 2 done.
  std::vector<int> state(regions.size(), 0);
  std::vector<std::vector<RuleLine>> resolved(regions.size());
  std::vector<std::vector<WorkdayLine>> resolved_workdays(regions.size());
  std::optional<RuleFileError> error;
  std::function<void(size_t)> resolve = [&](size_t i) {
    state[i] = 1;
    std::vector<RuleLine> rules;
    std::vector<WorkdayLine> workdays;
    for (const std::string& code : regions[i].with) {
      if (error) return;
      const auto found = index.find(code);
      if (found != index.end()) {
        if (state[found->second] == 1) {
          error = RuleFileError{.file = regions[i].file, .line = regions[i].line, .problem = RuleFileProblem::RegionCycle,
                                .detail = regions[i].code + " " + code};
          return;
        }
        if (state[found->second] == 0) resolve(found->second);
        if (error) return;
        rules.insert(rules.end(), resolved[found->second].begin(), resolved[found->second].end());
        workdays.insert(workdays.end(), resolved_workdays[found->second].begin(), resolved_workdays[found->second].end());
        TakeYearsOf(regions[found->second], regions[i]);
      } else {
        RuleRegion outer;
        if (!outside || !outside(code, outer)) {
          error = RuleFileError{.file = regions[i].file, .line = regions[i].line, .problem = RuleFileProblem::UnknownRegion,
                                .detail = code};
          return;
        }
        rules.insert(rules.end(), outer.rules.begin(), outer.rules.end());
        workdays.insert(workdays.end(), outer.workdays.begin(), outer.workdays.end());
        TakeYearsOf(outer, regions[i]);
      }
    }
    const size_t own_start = rules.size();
    rules.insert(rules.end(), regions[i].rules.begin(), regions[i].rules.end());
    LeaveOutCompleteYears(regions[i], own_start, rules);
    workdays.insert(workdays.end(), regions[i].workdays.begin(), regions[i].workdays.end());
    resolved[i] = std::move(rules);
    resolved_workdays[i] = std::move(workdays);
    state[i] = 2;
  };
  for (size_t i = 0; i < regions.size() && !error; ++i) {
    if (state[i] == 0) resolve(i);
  }
  if (error) return *error;
  for (size_t i = 0; i < regions.size(); ++i) {
    regions[i].rules = std::move(resolved[i]);
    regions[i].workdays = std::move(resolved_workdays[i]);
    regions[i].with.clear();
  }
  return regions;
}

}  // namespace qv::holidays
