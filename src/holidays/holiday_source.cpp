#include "holidays/holiday_source.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "calendar/calendar_codes.h"
#include "calendar/civil.h"
#include "holidays/file_lines.h"

namespace qv::holidays {

std::vector<YearSpan> UnknownYearsOf(int32_t first_year, std::span<const YearSpan> unknown,
                                     std::span<const HolidayRule> rules) {
  std::vector<YearSpan> spans(unknown.begin(), unknown.end());
  if (first_year > kNoFirstYear) spans.push_back(YearSpan{kNoFirstYear, first_year - 1});
  for (const HolidayRule& rule : rules) {
    int32_t first = rule.first_year, last = rule.last_year;
    if (!KnownYears(rule, first, last)) {
      spans.push_back(YearSpan{rule.first_year, rule.last_year});
      continue;
    }
    if (first > rule.first_year) spans.push_back(YearSpan{rule.first_year, first - 1});
    if (last < rule.last_year) spans.push_back(YearSpan{last + 1, rule.last_year});
  }
  return JoinedSpans(std::move(spans));
}

std::vector<YearSpan> KnownYearsOf(std::span<const YearSpan> unknown_years) {
  std::vector<YearSpan> known;
  int64_t next = kNoFirstYear;  // the first year not yet placed
  for (const YearSpan& gap : unknown_years) {
    if (gap.first > next) known.push_back(YearSpan{static_cast<int32_t>(next), gap.first - 1});
    next = std::max<int64_t>(next, int64_t{gap.last} + 1);
  }
  if (next <= kNoLastYear) known.push_back(YearSpan{static_cast<int32_t>(next), kNoLastYear});
  return known;
}

HolidaySource RegionSource(const Region& region) {
  HolidaySource source;
  source.kind = SourceKind::Region;
  source.label = std::string(region.code);
  source.rules = RulesInForce(region);
  source.unknown_years = UnknownYearsOf(region.first_year, region.unknown, source.rules);
  source.provisional_years.assign(region.provisional.begin(), region.provisional.end());
  for (const WorkdayMark& mark : region.workdays) {
    if (mark.day_number < civil::GregorianToDayNumber(region.first_year, 1, 1)) continue;
    source.workdays.push_back(DatedHoliday{.day_number = mark.day_number, .name = std::string(mark.name.en)});
  }
  return source;
}

namespace {

// Rules before the region's first year start then; rules that ended before it are left out.
bool InForceFrom(HolidayRule& rule, int32_t first_year) {
  if (rule.last_year < first_year) return false;
  rule.first_year = std::max(rule.first_year, first_year);
  return true;
}

}  // namespace

RuleFileSources ReadRuleFileSources(std::string_view contents, std::string_view file_name) {
  RuleFileResult parsed = ParseRuleFile(contents, file_name);
  if (auto* error = std::get_if<RuleFileError>(&parsed)) return std::move(*error);
  const auto built_in = [](std::string_view code, RuleRegion& region) {
    const Region* found = FindRegion(code);
    if (found == nullptr) return false;
    region.first_year = found->first_year;
    region.unknown.assign(found->unknown.begin(), found->unknown.end());
    region.provisional.assign(found->provisional.begin(), found->provisional.end());
    for (const HolidayRule& rule : RulesInForce(*found)) {
      region.rules.push_back(RuleLine{.rule = rule, .en = std::string(rule.name.en), .de = std::string(rule.name.de),
                                      .source = {}, .line = 0});
    }
    for (const WorkdayMark& mark : found->workdays) {
      const civil::YearMonthDay date = civil::DayNumberToGregorian(mark.day_number);
      region.workdays.push_back(WorkdayLine{.year = static_cast<int32_t>(date.year), .month = static_cast<int8_t>(date.month),
                                            .day = static_cast<int8_t>(date.day), .en = std::string(mark.name.en),
                                            .de = std::string(mark.name.de), .source = {}, .line = 0});
    }
    return true;
  };
  RuleFileResult resolved = ResolveRegions(std::move(std::get<std::vector<RuleRegion>>(parsed)), built_in);
  if (auto* error = std::get_if<RuleFileError>(&resolved)) return std::move(*error);
  std::vector<HolidaySource> sources;
  for (const RuleRegion& region : std::get<std::vector<RuleRegion>>(resolved)) {
    if (region.hidden) continue;
    HolidaySource source;
    source.kind = SourceKind::Region;
    source.label = region.code;
    auto names = std::make_shared<std::deque<std::string>>();
    for (const RuleLine& line : region.rules) {
      HolidayRule rule = line.rule;
      if (!InForceFrom(rule, region.first_year)) continue;
      names->push_back(line.en);
      const std::string_view en = names->back();
      names->push_back(line.de);
      rule.name = HolidayName{en, names->back()};
      source.rules.push_back(rule);
    }
    for (const WorkdayLine& workday : region.workdays) {
      if (workday.year < region.first_year) continue;
      const int64_t day = civil::GregorianToDayNumber(workday.year, workday.month, workday.day);
      if (day > DayNumberLimit) {
        return RuleFileError{.file = std::string(file_name), .line = workday.line, .problem = RuleFileProblem::BadRule,
                             .detail = std::to_string(workday.year)};
      }
      source.workdays.push_back(DatedHoliday{.day_number = static_cast<int32_t>(day), .name = workday.en});
    }
    std::stable_sort(source.workdays.begin(), source.workdays.end(),
                     [](const DatedHoliday& a, const DatedHoliday& b) { return a.day_number < b.day_number; });
    source.rule_names = std::move(names);
    source.unknown_years = UnknownYearsOf(region.first_year, region.unknown, source.rules);
    source.provisional_years = region.provisional;
    sources.push_back(std::move(source));
  }
  return sources;
}

RuleFileSources ReadRuleFileSourcesFromFile(const std::string& path) {
  auto contents = ReadWholeFile(path);
  if (std::holds_alternative<HolidayFileError>(contents)) {
    return RuleFileError{.file = path, .line = 0, .problem = RuleFileProblem::CannotRead, .detail = {}};
  }
  return ReadRuleFileSources(std::get<std::string>(contents), path);
}

HolidayFileResult ReadRuleFileAsOneSource(std::string_view contents, std::string_view file_name) {
  RuleFileSources read = ReadRuleFileSources(contents, file_name);
  if (auto* error = std::get_if<RuleFileError>(&read)) {
    return HolidayFileError{.file = std::move(error->file), .line = error->line, .problem = FileProblem::RuleFile,
                            .detail = std::move(error->detail), .rule_problem = error->problem};
  }
  HolidaySource merged;
  merged.kind = SourceKind::Region;
  merged.label = std::string(file_name);
  auto names = std::make_shared<std::deque<std::string>>();
  for (const HolidaySource& source : std::get<std::vector<HolidaySource>>(read)) {
    for (HolidayRule rule : source.rules) {
      // The names move to the merged source's own store; the views follow them.
      names->emplace_back(rule.name.en);
      const std::string_view en = names->back();
      names->emplace_back(rule.name.de);
      rule.name = HolidayName{en, names->back()};
      merged.rules.push_back(rule);
    }
    merged.dates.insert(merged.dates.end(), source.dates.begin(), source.dates.end());
    merged.workdays.insert(merged.workdays.end(), source.workdays.begin(), source.workdays.end());
    // The file knows a year only where each of its regions does.
    merged.unknown_years.insert(merged.unknown_years.end(), source.unknown_years.begin(), source.unknown_years.end());
    merged.provisional_years.insert(merged.provisional_years.end(), source.provisional_years.begin(),
                                    source.provisional_years.end());
  }
  merged.unknown_years = JoinedSpans(std::move(merged.unknown_years));
  merged.provisional_years = JoinedSpans(std::move(merged.provisional_years));
  const auto by_day = [](const DatedHoliday& a, const DatedHoliday& b) { return a.day_number < b.day_number; };
  std::stable_sort(merged.dates.begin(), merged.dates.end(), by_day);
  std::stable_sort(merged.workdays.begin(), merged.workdays.end(), by_day);
  merged.rule_names = std::move(names);
  return merged;
}

HolidayFileResult ReadRuleFileAsOneSourceFromFile(const std::string& path) {
  auto contents = ReadWholeFile(path);
  if (auto* error = std::get_if<HolidayFileError>(&contents)) return std::move(*error);
  return ReadRuleFileAsOneSource(std::get<std::string>(contents), path);
}

bool IsRuleFileName(std::string_view name) {
  constexpr std::string_view kSuffix = ".rules";
  if (name.size() < kSuffix.size()) return false;
  const std::string_view suffix = name.substr(name.size() - kSuffix.size());
  for (size_t i = 0; i < kSuffix.size(); ++i) {
    const char c = suffix[i] >= 'A' && suffix[i] <= 'Z' ? static_cast<char>(suffix[i] - 'A' + 'a') : suffix[i];
    if (c != kSuffix[i]) return false;
  }
  return true;
}

namespace {
std::string_view FileProblemText(const HolidayFileError& error, Language language) {
  const bool german = language == Language::German;
  switch (error.problem) {
    case FileProblem::CannotRead:
      return german ? "Die Datei kann nicht gelesen werden" : "cannot read the file";
    case FileProblem::TooLarge:
      return german ? "Die Datei ist größer als 64 MiB" : "the file is larger than 64 MiB";
    case FileProblem::NotADate:
      return german ? "kein Datum" : "not a date";
    case FileProblem::OutOfRange:
      return german ? "Datum außerhalb des Bereichs" : "date out of range";
    case FileProblem::NotUtf8:
      return german ? "der Name ist kein UTF-8-Text" : "the name is not UTF-8 text";
    case FileProblem::NotICalendar:
      return german ? "keine iCalendar-Datei" : "not an iCalendar file";
    case FileProblem::MalformedEvent:
      return german ? "ein Termin ist fehlerhaft" : "an event is malformed";
    case FileProblem::UnsupportedRule:
      return german ? "eine Wiederholung wird nicht unterstützt" : "a repetition is not supported";
    case FileProblem::RuleFile:
      return RuleFileProblemText(error.rule_problem, language);
  }
  return {};
}
}  // namespace

std::string HolidayFileErrorText(const HolidayFileError& error, Language language) {
  return FileErrorText(error.file, error.line, FileProblemText(error, language), error.detail, language == Language::German);
}

std::variant<std::string, HolidayFileError> ReadWholeFile(const std::string& path) {
  const auto fail = [&](FileProblem problem) {
    return HolidayFileError{.file = path, .line = 0, .problem = problem, .detail = {}};
  };
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return fail(FileProblem::CannotRead);
  std::string contents;
  char buffer[65536];
  for (;;) {
    const size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    if (got > 0) {
      if (contents.size() + got > kLargestHolidayFile) return fail(FileProblem::TooLarge);
      contents.append(buffer, got);
    }
    if (got < sizeof buffer) break;
  }
  if (std::ferror(file.get())) return fail(FileProblem::CannotRead);
  return contents;
}

}  // namespace qv::holidays
