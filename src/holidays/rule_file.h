#pragma once
// Holiday rule files: the plain-text form of a region's holidays, one holiday a line with its rule,
// its years, its names and its source. The built-in regions are such files, compiled into the
// program at build time (tools/compile_rules); a user's own file is read the same way at run time.
//
//   region CH-ZH 1995
//   en Canton of Zurich
//   de Kanton Zürich
//   with CH
//   source Ruhetagsgesetz des Kantons Zürich, LS 822.4
//   easter+1 | Easter Monday | Ostermontag
//   3 sun 09 +1 years=2000.. sub=sun-mon | Federal Fast Monday | Eidgenössischer Bettag (Montag)
//
// docs/manual and data/holidays/README.md describe every line kind. Reading gives every region of
// the file or the first error, naming the file and the line; never a part.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "holidays/holiday_rules.h"
#include "text/language.h"

namespace qv::holidays {

enum class RuleFileProblem : uint8_t {
  NotUtf8,            // the line is not UTF-8 text
  UnknownLine,        // neither a keyword nor a holiday line
  OutsideRegion,      // a line before the first `region`
  BadRegion,          // `region` without a code and a first year, or a code that is no code
  DuplicateRegion,    // a code given twice
  BadRule,            // the rule (first words of a holiday line) cannot be read
  BadAttribute,       // an attribute unknown, repeated or malformed
  BadYears,           // years out of order, or no year left after except=
  BadNames,           // not two names (English, German), or too many fields
  RuleOutOfRange,     // an offset or shift too large, or a day that no month has
  UnknownRegion,      // `with` names a region that is not there
  RegionCycle,        // regions that include each other
  MissingName,        // a region with neither an English nor a German name
  CannotRead,         // the file cannot be opened or read, or is larger than 64 MiB
};

struct RuleFileError {
  std::string file;
  int64_t line = 0;  // 1-based; 0 when no one line is at fault
  RuleFileProblem problem = RuleFileProblem::UnknownLine;
  std::string detail;  // the line's text (at most 80 bytes) or the region's code
  friend bool operator==(const RuleFileError&, const RuleFileError&) = default;
};

// "acme.rules, line 4: not a rule: every friday"; in English or German.
// The words of one problem, in English or German, as the error text puts them after "file, line N: ".
std::string_view RuleFileProblemText(RuleFileProblem problem, Language language);
std::string RuleFileErrorText(const RuleFileError& error, Language language);

// One rule of a region with the texts it owns (the rule's name views are left empty).
struct RuleLine {
  HolidayRule rule;
  std::string en, de, source;
  int64_t line = 0;
};

struct WorkdayLine {
  int32_t year = 0;
  int8_t month = 0;
  int8_t day = 0;
  std::string en, de, source;
  int64_t line = 0;
};

struct RuleRegion {
  std::string code;  // upper case
  int32_t first_year = 0;  // the first year its days are known
  // Years from first_year on whose days are not known (refused), and years answered from the
  // rules but not yet published (provisional); joined spans, those of its `with` regions included.
  std::vector<YearSpan> unknown;
  std::vector<YearSpan> provisional;
  // Years whose dated lines are the region's whole year: its other rules, its own and those of
  // its `with` regions, hold in every other year only.
  std::vector<int32_t> complete_years;
  std::string en, de, note;
  bool hidden = false;  // a table only for other regions' `with`, not listed
  std::vector<std::string> with;
  std::vector<RuleLine> rules;       // the region's own lines (a `years=` list: one rule per range)
  std::vector<WorkdayLine> workdays;
  std::string file;
  int64_t line = 0;  // of the `region` line
};

using RuleFileResult = std::variant<std::vector<RuleRegion>, RuleFileError>;

// Every region of one file, as written (`with` not yet resolved).
RuleFileResult ParseRuleFile(std::string_view contents, std::string_view file_name);

// The regions with their `with` resolved: each region's rules and working days are those of the
// regions it includes (in the order of its `with` lines, each as that region has them), then its own.
// `outside` fills in a region that is not among `regions` (a built-in one, for a user's file) and
// says whether there is one; it may be empty.
using OutsideRegions = std::function<bool(std::string_view code, RuleRegion& region)>;
RuleFileResult ResolveRegions(std::vector<RuleRegion> regions, const OutsideRegions& outside);

}  // namespace qv::holidays
