// compile_rules: the build step that turns the rule files into the built-in regions' tables.
//
//   compile_rules OUTPUT.cpp FILE.rules...
//
// Reads every file with the same reader a user's file goes through, resolves `with` across them, and
// writes one C++ source of constant tables (names as string literals, each rule's source as a
// comment beside it). Any error is printed as "file:line: message" and fails the build.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "calendar/calendar_codes.h"
#include "calendar/civil.h"
#include "holidays/rule_file.h"

namespace {

using namespace qv::holidays;

std::string Literal(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\%03o", static_cast<unsigned>(static_cast<unsigned char>(c)));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// A source as a comment: no line break, no end of comment.
std::string Comment(std::string_view text) {
  std::string out(text);
  for (size_t at = out.find("*/"); at != std::string::npos; at = out.find("*/")) out.replace(at, 2, "* /");
  for (char& c : out) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return out;
}

const char* KindName(RuleKind kind) {
  switch (kind) {
    case RuleKind::FixedDate: return "FixedDate";
    case RuleKind::NthWeekday: return "NthWeekday";
    case RuleKind::LastWeekday: return "LastWeekday";
    case RuleKind::WeekdayBefore: return "WeekdayBefore";
    case RuleKind::EasterOffset: return "EasterOffset";
    case RuleKind::WeekdayOnOrBefore: return "WeekdayOnOrBefore";
    case RuleKind::WeekdayAfter: return "WeekdayAfter";
    case RuleKind::WeekdayOnOrAfter: return "WeekdayOnOrAfter";
    case RuleKind::WeekdayNearest: return "WeekdayNearest";
    case RuleKind::OrthodoxEasterOffset: return "OrthodoxEasterOffset";
    case RuleKind::MarchEquinox: return "MarchEquinox";
    case RuleKind::SeptemberEquinox: return "SeptemberEquinox";
    case RuleKind::CitizensHoliday: return "CitizensHoliday";
  }
  return "FixedDate";
}

const char* SubstituteName(Substitute substitute) {
  switch (substitute) {
    case Substitute::None: return "None";
    case Substitute::NextFreeWeekday: return "NextFreeWeekday";
    case Substitute::NearestWeekday: return "NearestWeekday";
    case Substitute::SundayToMonday: return "SundayToMonday";
    case Substitute::NextFreeDay: return "NextFreeDay";
    case Substitute::MoveToMonday: return "MoveToMonday";
    case Substitute::MoveToNearest: return "MoveToNearest";
  }
  return "None";
}

std::string Year(int32_t year) { return year == kNoLastYear ? "kNoLastYear" : std::to_string(year); }

const char* DayKindName(DayKind kind) {
  switch (kind) {
    case DayKind::Law: return "DayKind::Law";
    case DayKind::Rest: return "DayKind::Rest";
    case DayKind::Custom: return "DayKind::Custom";
    case DayKind::Half: return "DayKind::Half";
  }
  return "DayKind::Law";
}

// A span array's entries, or one empty entry (no zero-length arrays; the span's size leaves it out).
std::string SpanEntries(const std::vector<YearSpan>& spans) {
  std::string text;
  for (const YearSpan& span : spans) text += "{" + std::to_string(span.first) + ", " + Year(span.last) + "}, ";
  return spans.empty() ? "{}" : text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: compile_rules OUTPUT.cpp FILE.rules...\n";
    return 2;
  }
  const auto report = [](const RuleFileError& error) {
    std::cerr << RuleFileErrorText(error, qv::Language::English) << "\n";
    return 1;
  };
  std::vector<RuleRegion> all;
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) {
      std::cerr << argv[i] << ": cannot read the file\n";
      return 1;
    }
    std::stringstream contents;
    contents << in.rdbuf();
    RuleFileResult parsed = ParseRuleFile(contents.str(), argv[i]);
    if (const auto* error = std::get_if<RuleFileError>(&parsed)) return report(*error);
    for (RuleRegion& region : std::get<std::vector<RuleRegion>>(parsed)) all.push_back(std::move(region));
  }
  RuleFileResult resolved = ResolveRegions(std::move(all), {});
  if (const auto* error = std::get_if<RuleFileError>(&resolved)) return report(*error);
  const std::vector<RuleRegion>& regions = std::get<std::vector<RuleRegion>>(resolved);

  std::ostringstream out;
  out << "// Written by compile_rules from data/holidays/*.rules; edit those files, not this one.\n"
         "#include <array>\n#include <span>\n\n#include \"holidays/regions.h\"\n\n"
         "namespace qv::holidays {\nnamespace {\n\nusing enum RuleKind;\nusing enum Substitute;\nusing enum Weekday;\n\n";
  size_t listed = 0;
  for (size_t r = 0; r < regions.size(); ++r) {
    const RuleRegion& region = regions[r];
    if (region.hidden) continue;
    ++listed;
    const std::string_view file = std::string_view(region.file).substr(region.file.rfind('/') + 1);
    out << "// " << region.code << ": " << Comment(region.en) << " (" << Comment(file) << ")\n";
    out << "constexpr HolidayRule kRules" << r << "[] = {\n";
    for (const RuleLine& line : region.rules) {
      const HolidayRule& rule = line.rule;
      out << "    // " << Comment(line.source) << "\n";
      out << "    {.kind = " << KindName(rule.kind) << ", .month = " << int{rule.month} << ", .day = " << int{rule.day}
          << ", .nth = " << int{rule.nth} << ", .weekday = static_cast<Weekday>(" << static_cast<int>(rule.weekday)
          << "), .easter_offset = " << rule.easter_offset << ", .substitute = " << SubstituteName(rule.substitute)
          << ", .first_year = " << Year(rule.first_year) << ", .last_year = " << Year(rule.last_year)
          << ", .name = {" << Literal(line.en) << ", " << Literal(line.de) << "}, .shift = " << rule.shift
          << ", .every = " << rule.every << ", .every_from = " << rule.every_from
          << ", .day_kind = " << DayKindName(rule.day_kind) << "},\n";
    }
    if (region.rules.empty()) out << "    {},\n";  // no zero-length arrays; left out below
    out << "};\n";
    out << "constexpr WorkdayMark kWorkdays" << r << "[] = {\n";
    for (const WorkdayLine& workday : region.workdays) {
      const int64_t day = qv::civil::GregorianToDayNumber(workday.year, workday.month, workday.day);
      if (day < -int64_t{qv::DayNumberLimit} || day > qv::DayNumberLimit) {
        return report(RuleFileError{.file = region.file, .line = workday.line, .problem = RuleFileProblem::BadRule,
                                    .detail = "workday beyond the range of day numbers"});
      }
      out << "    {" << day << ", {" << Literal(workday.en) << ", " << Literal(workday.de) << "}},  // "
          << Comment(workday.source) << "\n";
    }
    out << "    {},\n};\n";
    out << "constexpr YearSpan kUnknown" << r << "[] = {" << SpanEntries(region.unknown) << "};\n";
    out << "constexpr YearSpan kProvisional" << r << "[] = {" << SpanEntries(region.provisional) << "};\n\n";
  }
  out << "constexpr std::array<Region, " << listed << "> kRegions{{\n";
  for (size_t r = 0; r < regions.size(); ++r) {
    const RuleRegion& region = regions[r];
    if (region.hidden) continue;
    out << "    {" << Literal(region.code) << ", {" << Literal(region.en) << ", " << Literal(region.de) << "}, "
        << region.first_year << ", std::span<const HolidayRule>(kRules" << r << ", " << region.rules.size() << "), "
        << Literal(region.note) << ", std::span<const WorkdayMark>(kWorkdays" << r << ", " << region.workdays.size()
        << "), std::span<const YearSpan>(kUnknown" << r << ", " << region.unknown.size()
        << "), std::span<const YearSpan>(kProvisional" << r << ", " << region.provisional.size() << ")},\n";
  }
  out << "}};\n\n}  // namespace\n\nstd::span<const Region> BuiltInRegions() { return kRegions; }\n\n}  // namespace qv::holidays\n";

  // Written only when changed, so that an unchanged table does not rebuild its dependents.
  const std::string text = out.str();
  {
    std::ifstream old(argv[1], std::ios::binary);
    std::stringstream previous;
    if (old) previous << old.rdbuf();
    if (old && previous.str() == text) return 0;
  }
  std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
  file << text;
  if (!file) {
    std::cerr << argv[1] << ": cannot write the file\n";
    return 1;
  }
  return 0;
}
