// RequestOptionsFrom and TextOptionsFrom: every choice of the window reaches the request as
// itself, and only there.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/settings_file.h"

namespace qv {
namespace {

// The names of the request options in which `a` and `b` differ.
std::vector<std::string> Differences(const RequestOptions& a, const RequestOptions& b) {
  std::vector<std::string> names;
  const auto check = [&names](bool same, const char* name) {
    if (!same) names.emplace_back(name);
  };
  check(a.first_calendar == b.first_calendar, "first_calendar");
  check(a.second_calendar == b.second_calendar, "second_calendar");
  check(a.format == b.format, "format");
  check(a.date_separator == b.date_separator, "date_separator");
  check(a.thousands_separator == b.thousands_separator, "thousands_separator");
  check(a.unit == b.unit, "unit");
  check(a.include_first_date == b.include_first_date, "include_first_date");
  check(a.include_weekends == b.include_weekends, "include_weekends");
  check(a.verbose == b.verbose, "verbose");
  check(a.hyphen == b.hyphen, "hyphen");
  check(a.language == b.language, "language");
  check(a.work_calendar == b.work_calendar, "work_calendar");
  check(a.text_reading == b.text_reading, "text_reading");
  return names;
}

TEST(RequestOptionsFrom, DefaultChoicesGiveTheFirstRunRequest) {
  // A fresh start applies SettingsChoices{}, and so does a file that cannot be used.
  EXPECT_EQ(Differences(RequestOptionsFrom(SettingsChoices{}), RequestOptions{}), std::vector<std::string>{});
  EXPECT_EQ(Differences(RequestOptionsFrom(InterpretSettings(StoredSettings{})), RequestOptions{}),
            std::vector<std::string>{});
}

// One choice away from its default changes its own request option and no other; the choices
// that only the settings file and the other windows use change none.
TEST(RequestOptionsFrom, EachChoiceReachesItsOwnOptionOnly) {
  struct Case {
    const char* name;
    std::function<void(SettingsChoices&)> change;
    std::vector<std::string> changed;
  };
  const std::vector<Case> cases = {
      {"language", [](SettingsChoices& c) { c.language = Language::German; }, {"language"}},
      {"date format", [](SettingsChoices& c) { c.date_format = kFormatDMY; }, {"format"}},
      {"date separator", [](SettingsChoices& c) { c.date_separator = "/"; }, {"date_separator"}},
      {"no thousands separator", [](SettingsChoices& c) { c.thousands_separator = ""; }, {"thousands_separator"}},
      {"first calendar", [](SettingsChoices& c) { c.first_calendar = cal::JDN; }, {"first_calendar"}},
      {"second calendar", [](SettingsChoices& c) { c.second_calendar = cal::LPW; }, {"second_calendar"}},
      {"include first date", [](SettingsChoices& c) { c.include_first_date = true; }, {"include_first_date"}},
      {"weekends", [](SettingsChoices& c) { c.include_weekends = false; }, {"include_weekends"}},
      {"verbose", [](SettingsChoices& c) { c.verbose = false; }, {"verbose"}},
      {"hyphen", [](SettingsChoices& c) { c.hyphen = Hyphen::Without; }, {"hyphen"}},
      {"months", [](SettingsChoices& c) { c.unit = DifferenceUnit::Months; }, {"unit"}},
      {"today calendar", [](SettingsChoices& c) { c.today_calendar = cal::ISO; }, {}},
      {"save output", [](SettingsChoices& c) { c.save_output = false; }, {}},
      {"month window", [](SettingsChoices& c) {
         c.week_start = WeekStart::Monday;
         c.month_calendar = MonthCalendar::Julian;
       }, {}},
      {"box texts", [](SettingsChoices& c) {
         c.first_date = "2024-01-31";
         c.date_difference = "7";
         c.output = "line\r\n";
       }, {}},
  };
  for (const Case& each : cases) {
    SettingsChoices choices;
    each.change(choices);
    EXPECT_EQ(Differences(RequestOptionsFrom(choices), RequestOptions{}), each.changed) << each.name;
  }
}

TEST(RequestOptionsFrom, ValuesArriveAsChosen) {
  struct Case {
    std::string_view date_separator, thousands_separator;
    Hyphen hyphen;
  };
  for (const Case& each : {Case{".", ".", Hyphen::Without}, Case{"/", "", Hyphen::With}, Case{"-", ",", Hyphen::Without}}) {
    SettingsChoices choices;
    choices.date_separator = each.date_separator;
    choices.thousands_separator = each.thousands_separator;
    choices.hyphen = each.hyphen;
    const RequestOptions options = RequestOptionsFrom(choices);
    EXPECT_EQ(options.date_separator, each.date_separator);
    EXPECT_EQ(options.thousands_separator, each.thousands_separator);
    EXPECT_EQ(options.hyphen, each.hyphen);
    // The request's own text options say the same as those made straight from the choices.
    const DateTextOptions direct = TextOptionsFrom(choices);
    const DateTextOptions via_request = options.TextOptions();
    EXPECT_EQ(direct.format, via_request.format);
    EXPECT_EQ(direct.date_separator, via_request.date_separator);
    EXPECT_EQ(direct.thousands_separator, via_request.thousands_separator);
    EXPECT_EQ(direct.hyphen, via_request.hyphen);
    EXPECT_EQ(direct.reading, via_request.reading);
  }
}

TEST(TextOptionsFrom, OutlivesTheChoicesItWasMadeFrom) {
  // Choices read from a file name static separator texts; the options stay valid once the
  // choices are gone.
  StoredSettings stored;
  stored.date_separator = kDotCode;
  stored.thousands_separator = kNoThousandsCode;
  DateTextOptions options;
  {
    const SettingsChoices choices = InterpretSettings(stored);
    options = TextOptionsFrom(choices);
  }
  EXPECT_EQ(options.date_separator, ".");
  EXPECT_EQ(options.thousands_separator, "");
}

}  // namespace
}  // namespace qv
