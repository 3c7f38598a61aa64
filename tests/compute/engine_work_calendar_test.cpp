// Requests with a work calendar in force: the engine counts and adds as the calendar does, says
// how many holidays it left out, and without a calendar in force answers exactly as before.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <variant>

#include "calendar/calendar_codes.h"
#include "compute/compute_engine.h"
#include "compute/work_calendar.h"
#include "holidays/holiday_list.h"
#include "holidays/regions.h"
#include "support/program_texts.h"

namespace qv {
namespace {

holidays::HolidaySource Region(std::string_view code) { return holidays::RegionSource(*holidays::FindRegion(code)); }

holidays::HolidaySource List(std::string_view contents, std::string_view name) {
  holidays::HolidayFileResult read = holidays::ReadHolidayList(contents, name, holidays::HolidayListOptions{});
  EXPECT_TRUE(std::holds_alternative<holidays::HolidaySource>(read)) << name;
  return std::get<holidays::HolidaySource>(std::move(read));
}

std::shared_ptr<const WorkCalendar> Calendar(std::string_view week, std::vector<holidays::HolidaySource> sources) {
  return std::make_shared<const WorkCalendar>(*WorkWeek::Parse(week), std::move(sources));
}

std::string Line(std::string_view first, std::string_view difference, std::string_view second,
                 const RequestOptions& options) {
  ComputeEngine engine(test::ShippedTexts());
  return std::string(engine.Compute(first, difference, second, options).output);
}

// Counts and dates through the engine (day numbers typed as JDN) equal the calendar's own, for
// several work weeks and holiday sources, both rules of the first date, both directions.
TEST(EngineWorkCalendar, CountsAndDatesAreTheCalendars) {
  const std::shared_ptr<const WorkCalendar> calendars[] = {
      Calendar("Mon-Fri", {Region("DE-BY")}),
      Calendar("Sun-Thu", {Region("US"), List("2024-12-24\tChristmas Eve\n2030-06-03\n", "office.txt")}),
      Calendar("Mon,Tue,Thu", {}),
      Calendar("1111110", {Region("GB-SCT"), Region("DE-BY")}),
  };
  std::mt19937 random(16);
  std::uniform_int_distribution<int32_t> near(2'440'000, 2'480'000);  // 1968 to 2077
  std::uniform_int_distribution<int32_t> span(-2'000, 2'000);
  ComputeEngine engine(test::ShippedTexts());
  for (const auto& calendar : calendars) {
    for (int i = 0; i < 200; ++i) {
      RequestOptions options;
      options.first_calendar = options.second_calendar = cal::JDN;
      options.include_weekends = false;
      options.include_first_date = i % 2 == 1;
      options.work_calendar = calendar;
      const DayCountOptions count{.include_weekends = false, .include_first_date = options.include_first_date};
      const int32_t first = i < 4 ? (i < 2 ? -2'099'997'000 : 2'099'997'000) : near(random);  // the ends of the range
      const int32_t step = span(random);
      const std::string a = std::to_string(first), n = std::to_string(step), b = std::to_string(first + step);

      engine.Compute(a, "", b, options);
      EXPECT_EQ(engine.lngDateDiff, calendar->CountDaysBetween(first, first + step, count)) << a << " to " << b;

      const std::optional<int32_t> second = calendar->SecondDateFromFirst(first, step, count);
      const std::string plus(engine.Compute(a, n, "", options).output);
      if (second) {
        EXPECT_EQ(engine.SecondDateFields.DayNumber, *second) << a << " plus " << n;
      } else {
        EXPECT_EQ(plus, "Out of Range\r\n\r\n") << a << " plus " << n;
      }
      const std::optional<int32_t> earlier = calendar->FirstDateFromSecond(first, step, count);
      engine.Compute("", n, a, options);
      if (earlier) {
        EXPECT_EQ(engine.FirstDateFields.DayNumber, *earlier) << a << " minus " << n;
      }
    }
  }
}

TEST(EngineWorkCalendar, SentencesSayTheHolidaysLeftOut) {
  const auto bavaria = Calendar("Mon-Fri", {Region("DE-BY")});
  // 24 December shared by nobody; 25 December shared with Bavaria, which comes first.
  const auto office = Calendar("Mon-Fri", {Region("DE-BY"), List("2024-12-24\tHeiligabend\n2024-12-25\n", "office.txt")});
  const auto sunday_to_thursday = Calendar("Sun-Thu", {});
  struct Case {
    const char* name;
    const char *first, *difference, *second;
    std::shared_ptr<const WorkCalendar> calendar;
    Language language;
    bool verbose, include_first;
    const char* output;
  } cases[] = {
      // 2024 has 262 days Monday to Friday; 1 January is not counted, and 10 holidays of Bavaria
      // fall on the other weekdays (Epiphany is a Saturday).
      {"a year", "2024-01-01", "", "2024-12-31", bavaria, Language::English, true, false,
       "2024-01-01 CE to 2024-12-31 CE = 250 days, excluding 1st date, not counting weekend days; "
       "11 holidays left out (DE-BY 11)"},
      {"a year, first counted", "2024-01-01", "", "2024-12-31", bavaria, Language::German, true, true,
       "2024-01-01 CE bis 2024-12-31 CE = 250 Tage, einschliesslich 1. Datum, die Wochenendtage nicht gezaehlt; "
       "12 Feiertage ausgelassen (DE-BY 12)"},
      {"two sources", "2024-12-20", "", "2024-12-31", office, Language::English, false, false,
       "2024-12-20 CE to 2024-12-31 CE = 4 days; 3 holidays left out (DE-BY 2, office.txt 1)"},
      {"backwards", "2024-12-31", "", "2024-12-20", office, Language::German, false, false,
       "2024-12-31 CE bis 2024-12-20 CE = -4 Tage; 3 Feiertage ausgelassen (DE-BY 2, office.txt 1)"},
      {"one", "2024-05-27", "", "2024-06-03", bavaria, Language::English, false, false,
       "2024-05-27 CE to 2024-06-03 CE = 4 days; 1 holiday left out (DE-BY 1)"},
      {"one, German", "2024-05-27", "", "2024-06-03", bavaria, Language::German, false, false,
       "2024-05-27 CE bis 2024-06-03 CE = 4 Tage; 1 Feiertag ausgelassen (DE-BY 1)"},
      {"none", "2024-06-03", "", "2024-06-10", bavaria, Language::English, false, false,
       "2024-06-03 CE to 2024-06-10 CE = 5 days; no holidays left out"},
      {"none, German", "2024-06-03", "", "2024-06-10", bavaria, Language::German, false, false,
       "2024-06-03 CE bis 2024-06-10 CE = 5 Tage; keine Feiertage ausgelassen"},
      // Adding: the holidays between the given date and the result.
      {"plus", "2024-12-20", "3", "", bavaria, Language::English, true, false,
       "2024-12-20 CE plus 3 days = 2024-12-27 CE, Friday, excluding 1st date, not counting weekend days; "
       "2 holidays left out (DE-BY 2)"},
      {"minus from the second", "", "3", "2024-12-27", office, Language::German, false, false,
       "2024-12-27 CE minus 3 Tage = 2024-12-19 CE, Donnerstag; 3 Feiertage ausgelassen (DE-BY 2, office.txt 1)"},
      // Bavaria's holidays are known from 1991: a count or an addition that needs an earlier year
      // says so in place of its result, never counts that year as one without holidays.
      {"before its first year", "1000-01-01", "", "9000-01-01", bavaria, Language::English, false, false,
       "1000-01-01 CE to 9000-01-01 CE = not counted: the holidays of DE-BY are not known for 1000 (known: 1991 onward)"},
      {"into a year before, German", "1991-01-02", "-5", "", bavaria, Language::German, false, false,
       "1991-01-02 CE minus 5 Tage = nicht gezählt: die Feiertage von DE-BY sind für 1990 nicht bekannt (bekannt: ab 1991)"},
      {"from the second into a year before", "", "3", "1991-01-02", office, Language::English, false, false,
       "1991-01-02 CE minus 3 days = not counted: the holidays of DE-BY are not known for 1990 (known: 1991 onward)"},
      // A conversion and an addition of nothing rest on no holiday: answered in any year.
      {"conversion in a year not known", "1980-01-01", "", "", bavaria, Language::English, true, false,
       "1980-01-01 CE, Tuesday"},
      {"plus nothing in a year not known", "1980-01-05", "0", "", bavaria, Language::English, false, false,
       "1980-01-05 CE plus 0 days = 1980-01-05 CE, Saturday"},
      // Another work week without holidays: nothing to say.
      {"work week only", "2024-06-02", "", "2024-06-09", sunday_to_thursday, Language::English, false, false,
       "2024-06-02 CE to 2024-06-09 CE = 5 days"},
      // A conversion and a difference of 0 count no working days.
      {"conversion", "2024-12-25", "", "", bavaria, Language::English, true, false, "2024-12-25 CE, Wednesday"},
      {"plus nothing", "2024-12-25", "0", "", bavaria, Language::English, true, false,
       "2024-12-25 CE plus 0 days = 2024-12-25 CE, Wednesday"},
  };
  for (const Case& c : cases) {
    RequestOptions options;
    options.include_weekends = false;
    options.language = c.language;
    options.verbose = c.verbose;
    options.include_first_date = c.include_first;
    options.work_calendar = c.calendar;
    EXPECT_EQ(Line(c.first, c.difference, c.second, options), std::string(c.output) + "\r\n") << c.name;
  }
}

// Weekend days counted, months, or a calendar that is not in force (Monday to Friday without
// holidays): the sentence of each request is the one without any calendar, byte for byte.
TEST(EngineWorkCalendar, WithoutACalendarInForceNothingChanges) {
  const auto bavaria = Calendar("Mon-Fri", {Region("DE-BY")});
  const auto not_in_force = Calendar("Mon-Fri", {});
  struct Case {
    const char *first, *difference, *second;
    bool include_weekends, include_first;
    DifferenceUnit unit;
  } cases[] = {
      {"2024-01-01", "", "2024-12-31", true, false, DifferenceUnit::Days},
      {"2024-01-01", "", "2024-12-31", true, true, DifferenceUnit::Days},
      {"2024-12-20", "3", "", true, false, DifferenceUnit::Days},
      {"2024-12-20", "3", "", false, false, DifferenceUnit::Days},
      {"2008-07-19", "5", "", false, false, DifferenceUnit::Days},  // Saturday plus 5: a Saturday
      {"", "5", "2008-07-20", false, true, DifferenceUnit::Days},
      {"2008-07-19", "", "2008-07-20", false, true, DifferenceUnit::Days},
      {"2024-01-31", "1", "", false, false, DifferenceUnit::Months},
      {"", "-13", "2024-12-25", false, true, DifferenceUnit::Months},
  };
  for (const Case& c : cases) {
    RequestOptions options;
    options.include_weekends = c.include_weekends;
    options.include_first_date = c.include_first;
    options.unit = c.unit;
    const std::string plain = Line(c.first, c.difference, c.second, options);
    options.work_calendar = not_in_force;
    EXPECT_EQ(Line(c.first, c.difference, c.second, options), plain) << c.first << c.difference << c.second;
    if (c.include_weekends || c.unit == DifferenceUnit::Months) {
      options.work_calendar = bavaria;
      EXPECT_EQ(Line(c.first, c.difference, c.second, options), plain) << c.first << c.difference << c.second;
    }
  }
}

}  // namespace
}  // namespace qv
