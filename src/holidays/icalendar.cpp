#include "holidays/icalendar.h"

#include <libical/ical.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "calendar/civil.h"
#include "holidays/icalendar_writer.h"
#include "text/utf8.h"

namespace qv::holidays {
namespace {

constexpr int64_t kMostOccurrences = 1'000'000;  // of one event's expansion (a daily one over 1900 … 2200: 110,000)
constexpr int64_t kLongestEventDays = 366;
constexpr size_t kLongestDetail = 80;

struct ComponentFree {
  void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
struct IteratorFree {
  void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};

// A date libical gave, checked: year 0 … 9999 as iCalendar writes them, a month and day that exist.
std::optional<int64_t> DayNumberOf(const icaltimetype& time) {
  if (time.year < 0 || time.year > 9999 || time.month < 1 || time.month > 12 || time.day < 1 ||
      time.day > civil::GregorianMonthLength(time.year, time.month)) {
    return std::nullopt;
  }
  return civil::GregorianToDayNumber(time.year, time.month, time.day);
}

std::string Cut(std::string_view text) {
  if (text.size() <= kLongestDetail) return std::string(text);
  size_t end = kLongestDetail;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end)) + "…";
}

template <typename Array>
std::vector<short> Listed(const Array& values) {
  std::vector<short> listed;
  for (short value : values) {
    if (value == ICAL_RECURRENCE_ARRAY_MAX) break;
    listed.push_back(value);
  }
  return listed;
}

// ISO weekday of libical's (1 = Sunday … 7 = Saturday).
Weekday IsoOf(icalrecurrencetype_weekday weekday) {
  return static_cast<Weekday>(weekday == ICAL_SUNDAY_WEEKDAY ? 7 : static_cast<int>(weekday) - 1);
}

class Reader {
 public:
  explicit Reader(std::string_view file_name) : file_(file_name) {
    source_.kind = SourceKind::ICalendar;
    source_.label = std::string(file_name);
  }

  HolidayFileResult Read(std::string_view contents) {
    // A NUL byte ends libical's text early; such a file is no text file at all.
    if (contents.find('\0') != std::string_view::npos) return Fail(FileProblem::NotICalendar, "");
    const std::string text(contents);
    std::unique_ptr<icalcomponent, ComponentFree> root(icalparser_parse_string(text.c_str()));
    if (!root) return Fail(FileProblem::NotICalendar, "");
    std::vector<icalcomponent*> calendars;
    if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT) {
      calendars.push_back(root.get());
    } else if (icalcomponent_isa(root.get()) == ICAL_XROOT_COMPONENT) {
      for (icalcomponent* c = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT); c != nullptr;
           c = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT)) {
        calendars.push_back(c);
      }
    }
    if (calendars.empty()) return Fail(FileProblem::NotICalendar, "");
    for (icalcomponent* calendar : calendars) {
      for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event != nullptr;
           event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        if (auto error = ReadEvent(event)) return std::move(*error);
      }
    }
    std::sort(dates_.begin(), dates_.end(), [](const DatedHoliday& a, const DatedHoliday& b) {
      return a.day_number != b.day_number ? a.day_number < b.day_number : a.name < b.name;
    });
    dates_.erase(std::unique(dates_.begin(), dates_.end()), dates_.end());
    source_.dates = std::move(dates_);
    std::sort(workdays_.begin(), workdays_.end(), [](const DatedHoliday& a, const DatedHoliday& b) {
      return a.day_number != b.day_number ? a.day_number < b.day_number : a.name < b.name;
    });
    workdays_.erase(std::unique(workdays_.begin(), workdays_.end()), workdays_.end());
    source_.workdays = std::move(workdays_);
    source_.rule_names = std::move(names_);
    return std::move(source_);
  }

 private:
  HolidayFileError Fail(FileProblem problem, std::string_view detail) const {
    return HolidayFileError{.file = file_, .line = 0, .problem = problem, .detail = Cut(detail)};
  }

  std::optional<HolidayFileError> ReadEvent(icalcomponent* event) {
    const char* summary = icalcomponent_get_summary(event);
    const std::string name = summary != nullptr ? std::string(summary) : std::string();
    if (!IsValidUtf8(name)) return Fail(FileProblem::NotUtf8, "");
    if (icalproperty* error = icalcomponent_get_first_property(event, ICAL_XLICERROR_PROPERTY)) {
      const char* what = icalproperty_get_xlicerror(error);
      return Fail(FileProblem::MalformedEvent, name + (what != nullptr ? std::string(": ") + what : std::string()));
    }
    if (icalproperty* status = icalcomponent_get_first_property(event, ICAL_STATUS_PROPERTY)) {
      if (icalproperty_get_status(status) == ICAL_STATUS_CANCELLED) return std::nullopt;
    }
    icalproperty* start_property = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    if (start_property == nullptr) return Fail(FileProblem::MalformedEvent, name + ": no DTSTART");
    const icaltimetype start = icalproperty_get_dtstart(start_property);
    if (icaltime_is_null_time(start)) return Fail(FileProblem::MalformedEvent, name + ": no DTSTART");
    if (!start.is_date) {
      ++source_.timed_events_ignored;
      return std::nullopt;
    }
    const std::optional<int64_t> first_day = DayNumberOf(start);
    if (!first_day) return Fail(FileProblem::MalformedEvent, name + ": DTSTART");

    int64_t days = 1;
    if (icalproperty* end_property = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY)) {
      const std::optional<int64_t> end_day = DayNumberOf(icalproperty_get_dtend(end_property));
      if (!end_day) return Fail(FileProblem::MalformedEvent, name + ": DTEND");
      days = std::max<int64_t>(1, *end_day - *first_day);
    } else if (icalproperty* duration = icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY)) {
      const icaldurationtype length = icalproperty_get_duration(duration);
      if (!length.is_neg) days = std::max<int64_t>(1, int64_t{length.weeks} * 7 + length.days);
    }
    if (days > kLongestEventDays) return Fail(FileProblem::MalformedEvent, name + ": longer than 366 days");

    std::vector<int64_t> excluded;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
      if (const std::optional<int64_t> day = DayNumberOf(icalproperty_get_exdate(p))) excluded.push_back(*day);
    }
    std::vector<icalrecurrencetype> rules;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
      rules.push_back(icalproperty_get_rrule(p));
    }

    const bool workday = IsWorkdayEvent(event);
    std::vector<int64_t> starts;  // first days of the occurrences to take as single days
    if (rules.empty()) {
      starts.push_back(*first_day);
    } else if (!workday && rules.size() == 1 && excluded.empty() && days == 1 &&
               KeepAsYearlyRule(rules[0], start, name)) {
      // kept as a rule
    } else {
      for (const icalrecurrencetype& rule : rules) {
        if (auto error = Expand(rule, start, name, starts)) return error;
      }
    }
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
      const icaldatetimeperiodtype when = icalproperty_get_rdate(p);
      const icaltimetype time = icaltime_is_null_time(when.time) ? when.period.start : when.time;
      if (const std::optional<int64_t> day = DayNumberOf(time)) starts.push_back(*day);
    }
    std::sort(excluded.begin(), excluded.end());
    for (const int64_t occurrence : starts) {
      if (std::binary_search(excluded.begin(), excluded.end(), occurrence)) continue;
      for (int64_t k = 0; k < days; ++k) {
        (workday ? workdays_ : dates_).push_back(DatedHoliday{.day_number = static_cast<int32_t>(occurrence + k), .name = name});
      }
    }
    return std::nullopt;
  }

  // An event marked X-QUORVAN-WORKDAY:TRUE (the value in any case) is a day worked, not a day off.
  static bool IsWorkdayEvent(icalcomponent* event) {
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
      const char* property = icalproperty_get_x_name(p);
      const char* value = icalproperty_get_x(p);
      if (property != nullptr && value != nullptr && EqualIgnoringCase(property, kWorkdayProperty) &&
          EqualIgnoringCase(value, "TRUE")) {
        return true;
      }
    }
    return false;
  }

  static bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < a.size(); ++i) {
      if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
  }

  // A yearly repetition on a fixed date or on the nth or last weekday of a month, in step with its
  // DTSTART and falling in every year, becomes a rule. False: expand it instead.
  bool KeepAsYearlyRule(const icalrecurrencetype& rule, const icaltimetype& start, const std::string& name) {
    if (rule.freq != ICAL_YEARLY_RECURRENCE || rule.interval != 1 || rule.rscale != nullptr) return false;
    if (!Listed(rule.by_second).empty() || !Listed(rule.by_minute).empty() || !Listed(rule.by_hour).empty() ||
        !Listed(rule.by_year_day).empty() || !Listed(rule.by_week_no).empty() || !Listed(rule.by_set_pos).empty()) {
      return false;
    }
    const std::vector<short> months = Listed(rule.by_month), month_days = Listed(rule.by_month_day),
                             weekdays = Listed(rule.by_day);
    if (months.size() > 1) return false;
    HolidayRule kept;
    kept.month = static_cast<int8_t>(months.empty() ? start.month : icalrecurrencetype_month_month(months[0]));
    if (kept.month < 1 || kept.month > 12 || (!months.empty() && icalrecurrencetype_month_is_leap(months[0]))) return false;
    if (weekdays.empty()) {
      if (month_days.size() > 1) return false;
      kept.kind = RuleKind::FixedDate;
      const int day = month_days.empty() ? start.day : month_days[0];
      // Only a day every year has: 29 February and the like are expanded.
      if (day < 1 || day > civil::GregorianMonthLength(2001, kept.month)) return false;
      kept.day = static_cast<int8_t>(day);
    } else {
      if (weekdays.size() != 1 || !month_days.empty() || months.empty()) return false;
      const int position = icalrecurrencetype_day_position(weekdays[0]);
      kept.weekday = IsoOf(icalrecurrencetype_day_day_of_week(weekdays[0]));
      if (static_cast<int>(kept.weekday) < 1 || static_cast<int>(kept.weekday) > 7) return false;
      if (position >= 1 && position <= 4) {
        kept.kind = RuleKind::NthWeekday;
        kept.nth = static_cast<int8_t>(position);
      } else if (position == -1) {
        kept.kind = RuleKind::LastWeekday;
      } else {
        return false;
      }
    }
    // In step: DTSTART is the rule's own day of its year (else the set is undefined; expand it).
    int64_t day_in_start_year = 0;
    if (!RuleDay(kept, start.year, 0, day_in_start_year) || day_in_start_year != *DayNumberOf(start)) return false;
    kept.first_year = start.year;
    if (!icaltime_is_null_time(rule.until)) {
      const std::optional<int64_t> until = DayNumberOf(rule.until);
      if (!until) return false;
      int64_t day_in_until_year = 0;
      kept.last_year = rule.until.year;
      if (RuleDay(kept, rule.until.year, 0, day_in_until_year) && day_in_until_year > *until) --kept.last_year;
    } else if (rule.count > 0) {
      const int64_t last = int64_t{start.year} + rule.count - 1;
      kept.last_year = last >= kNoLastYear ? kNoLastYear : static_cast<int32_t>(last);
    } else if (rule.count < 0) {
      return false;
    }
    if (kept.last_year < kept.first_year) return true;  // no occurrence at all
    if (!names_) names_ = std::make_shared<std::deque<std::string>>();
    names_->push_back(name);
    kept.name = HolidayName{names_->back(), names_->back()};
    if (!IsValidRule(kept)) return false;
    source_.rules.push_back(kept);
    return true;
  }

  std::optional<HolidayFileError> Expand(const icalrecurrencetype& rule, const icaltimetype& start, const std::string& name,
                                         std::vector<int64_t>& starts) {
    if (rule.freq != ICAL_YEARLY_RECURRENCE && rule.freq != ICAL_MONTHLY_RECURRENCE &&
        rule.freq != ICAL_WEEKLY_RECURRENCE && rule.freq != ICAL_DAILY_RECURRENCE) {
      return Fail(FileProblem::UnsupportedRule, name);
    }
    if (rule.interval < 1) return Fail(FileProblem::UnsupportedRule, name);
    std::unique_ptr<icalrecur_iterator, IteratorFree> iterator(icalrecur_iterator_new(rule, start));
    if (!iterator) return Fail(FileProblem::UnsupportedRule, name);
    if (start.year < kExpansionFirstYear && rule.count == 0) {
      icaltimetype from = icaltime_null_date();
      from.year = kExpansionFirstYear, from.month = 1, from.day = 1, from.is_date = 1;
      icalrecur_iterator_set_start(iterator.get(), from);
    }
    int64_t previous = INT64_MIN;
    for (int64_t n = 0;; ++n) {
      if (n == kMostOccurrences) return Fail(FileProblem::UnsupportedRule, name);
      const icaltimetype occurrence = icalrecur_iterator_next(iterator.get());
      if (icaltime_is_null_time(occurrence) || occurrence.year > kExpansionLastYear) break;
      const std::optional<int64_t> day = DayNumberOf(occurrence);
      if (!day || *day <= previous) break;  // libical gave up or went back: no more days
      previous = *day;
      if (occurrence.year >= kExpansionFirstYear) starts.push_back(*day);
    }
    return std::nullopt;
  }

  std::string file_;
  HolidaySource source_;
  std::vector<DatedHoliday> dates_;
  std::vector<DatedHoliday> workdays_;  // events marked as worked days
  std::shared_ptr<std::deque<std::string>> names_;
};

void QuietLibical() {
  static const bool quiet = [] {
    icalerror_set_errors_are_fatal(0);
    return true;
  }();
  (void)quiet;
}

}  // namespace

HolidayFileResult ReadICalendar(std::string_view contents, std::string_view file_name) {
  QuietLibical();
  return Reader(file_name).Read(contents);
}

HolidayFileResult ReadICalendarFile(const std::string& path) {
  auto contents = ReadWholeFile(path);
  if (auto* error = std::get_if<HolidayFileError>(&contents)) return std::move(*error);
  return ReadICalendar(std::get<std::string>(contents), path);
}

bool IsICalendarFileName(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string_view suffix = name.substr(name.size() - 4);
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return suffix[0] == '.' && lower(suffix[1]) == 'i' && lower(suffix[2]) == 'c' && lower(suffix[3]) == 's';
}

}  // namespace qv::holidays
