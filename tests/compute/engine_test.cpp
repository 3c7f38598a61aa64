// Whole requests through the engine: the sentences, the normal forms written back into the
// boxes, and every refusal with its message.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "calendar/clock.h"
#include "compute/compute_engine.h"
#include "lang/general_texts.h"
#include "lang/program_text.h"
#include "support/program_texts.h"
#include "lang/request_messages.h"
#include "support/printing.h"

namespace qv {
namespace {

const ProgramTextStore& Texts() { return test::ShippedTexts(); }

RequestOptions Quiet() {
  RequestOptions options;
  options.verbose = false;
  return options;
}

// An outcome that keeps its texts: the engine's own views end with the engine.
struct KeptOutcome {
  RequestStep step = RequestStep::Computed;
  BoxTexts boxes;
  std::string output;
  std::optional<Message> message;
  bool switch_to_days = false;
  bool validated = true;
};

KeptOutcome Kept(const Outcome& outcome) {
  return KeptOutcome{outcome.step,
                     BoxTexts{std::string(outcome.boxes.first), std::string(outcome.boxes.difference),
                              std::string(outcome.boxes.second)},
                     std::string(outcome.output),
                     outcome.message,
                     outcome.switch_to_days,
                     outcome.validated};
}

KeptOutcome RunRequest(std::string_view first, std::string_view difference, std::string_view second,
                       const RequestOptions& options) {
  ComputeEngine engine(Texts());
  return Kept(engine.Compute(first, difference, second, options));
}

struct LineCase {
  const char* name;
  const char *first, *difference, *second;
  RequestOptions options;
  const char* output;  // without the closing CR LF
};

RequestOptions With(void (*change)(RequestOptions&)) {
  RequestOptions options = Quiet();
  change(options);
  return options;
}

TEST(EngineSentences, WorkedLines) {
  const LineCase cases[] = {
      {"difference", "2008-01-01", "", "2008-03-15", Quiet(), "2008-01-01 CE to 2008-03-15 CE = 74 days (2 months, 14 days)"},
      {"plus days", "2008-07-12", "10", "", Quiet(), "2008-07-12 CE plus 10 days = 2008-07-22 CE, Tuesday"},
      {"conversion", "2000-01-01", "", "", With([](RequestOptions& o) { o.second_calendar = cal::JDN; }),
       "2000-01-01 CE = 2,451,545 JDN, Saturday"},
      {"one day", "2008-01-01", "", "2008-01-02", Quiet(), "2008-01-01 CE to 2008-01-02 CE = 1 day"},
      {"german", "2008-01-01", "", "2008-03-15", With([](RequestOptions& o) { o.language = Language::German; }),
       "2008-01-01 CE bis 2008-03-15 CE = 74 Tage (2 Monate, 14 Tage)"},
      {"months", "2008-01-31", "1", "", With([](RequestOptions& o) { o.unit = DifferenceUnit::Months; }),
       "2008-01-31 CE plus 1 month = 2008-02-29 CE, Friday"},
      {"minus days", "2008-07-12", "-10", "", Quiet(), "2008-07-12 CE minus 10 days = 2008-07-02 CE, Wednesday"},
      {"same calendar", "2008-07-12", "", "", Quiet(), "2008-07-12 CE, Saturday"},
      {"same calendar second", "", "", "2008-07-12", Quiet(), "2008-07-12 CE, Saturday"},
      {"ordinal carries no code", "2012-366", "", "", With([](RequestOptions& o) { o.first_calendar = cal::ORD; }),
       "2012-366 = 2012-12-31 CE, Monday"},
      {"minus zero", "2008-07-12", "-0", "", Quiet(), "2008-07-12 CE plus 0 days = 2008-07-12 CE, Saturday"},
      {"stray letter", "2008-07-12", "10x", "", Quiet(), "2008-07-12 CE plus 10 days = 2008-07-22 CE, Tuesday"},
      {"second minus days", "", "10", "2008-07-22", Quiet(), "2008-07-22 CE minus 10 days = 2008-07-12 CE, Saturday"},
      {"second plus days", "", "-10", "2008-07-12", Quiet(), "2008-07-12 CE plus 10 days = 2008-07-22 CE, Tuesday"},
      {"second minus month", "", "1", "2008-02-29", With([](RequestOptions& o) { o.unit = DifferenceUnit::Months; }),
       "2008-02-29 CE minus 1 month = 2008-01-29 CE, Tuesday"},
      {"second plus months", "", "-3,000", "2008-02-29", With([](RequestOptions& o) { o.unit = DifferenceUnit::Months; }),
       "2008-02-29 CE plus 3,000 months = 2258-02-28 CE, Sunday"},
      {"julian months", "1900-01-29", "1", "",
       With([](RequestOptions& o) { o.unit = DifferenceUnit::Months, o.first_calendar = o.second_calendar = cal::JC; }),
       "1900-01-29 JC plus 1 month = 1900-02-29 JC, Tuesday"},
      {"leap week months", "2012-01-35", "1", "",
       With([](RequestOptions& o) { o.unit = DifferenceUnit::Months, o.first_calendar = o.second_calendar = cal::LPM; }),
       "2012-01-35 LPM plus 1 month = 2012-02-28 LPM, Sunday"},
      {"verbose notes", "2008-07-14", "5", "",
       With([](RequestOptions& o) { o.verbose = true, o.include_first_date = true, o.include_weekends = false; }),
       "2008-07-14 CE plus 5 days = 2008-07-18 CE, Friday, including 1st date, not counting weekend days"},
      {"verbose difference", "2008-07-14", "", "2008-07-21", With([](RequestOptions& o) { o.verbose = true; }),
       "2008-07-14 CE to 2008-07-21 CE = 7 days, excluding 1st date"},
      {"no breakdown when negative", "2008-03-15", "", "2008-01-01", Quiet(), "2008-03-15 CE to 2008-01-01 CE = -74 days"},
      {"no breakdown without weekends", "2008-01-01", "", "2008-03-15",
       With([](RequestOptions& o) { o.include_weekends = false; }), "2008-01-01 CE to 2008-03-15 CE = 53 days"},
      {"no breakdown across calendars", "2008-01-01", "", "2008-03-15",
       With([](RequestOptions& o) { o.second_calendar = cal::JC; }), "2008-01-01 CE to 2008-03-15 JC = 87 days"},
      {"one month", "2008-01-01", "", "2008-02-01", Quiet(), "2008-01-01 CE to 2008-02-01 CE = 31 days (1 month)"},
      {"borrowed february", "2008-01-31", "", "2008-03-02", Quiet(), "2008-01-31 CE to 2008-03-02 CE = 31 days (1 month)"},
      {"iso week", "2012-W01-1", "", "2012-W02-1",
       With([](RequestOptions& o) { o.first_calendar = o.second_calendar = cal::ISO; }),
       "2012-W01-1 ISO to 2012-W02-1 ISO = 7 days (1 week)"},
      {"iso six days", "2012-W01-1", "", "2012-W01-7",
       With([](RequestOptions& o) { o.first_calendar = o.second_calendar = cal::ISO; }),
       "2012-W01-1 ISO to 2012-W01-7 ISO = 6 days"},
      {"iso first included", "2012-W01-1", "", "2013-W01-1",
       With([](RequestOptions& o) { o.first_calendar = o.second_calendar = cal::ISO, o.include_first_date = true; }),
       "2012-W01-1 ISO to 2013-W01-1 ISO = 365 days (1 year, 1 day)"},
      {"ordinal years", "2011-300", "", "2013-010",
       With([](RequestOptions& o) { o.first_calendar = o.second_calendar = cal::ORD; }),
       "2011-300 to 2013-010 = 441 days (1 year, 76 days)"},
      {"years months days", "2001-03-15", "", "2011-03-14", Quiet(),
       "2001-03-15 CE to 2011-03-14 CE = 3,651 days (9 years, 11 months, 27 days)"},
      {"iso without hyphen", "2012-12-31", "", "", With([](RequestOptions& o) { o.second_calendar = cal::ISO, o.hyphen = Hyphen::Without; }),
       "2012-12-31 CE = 2013W011 ISO, Monday"},
      {"leap week form", "2000-01-01", "", "", With([](RequestOptions& o) { o.second_calendar = cal::LPW; }),
       "2000-01-01 CE = 2000-01-6 LPW, Saturday"},
      {"leap month form", "2000-01-01", "", "", With([](RequestOptions& o) { o.second_calendar = cal::LPM; }),
       "2000-01-01 CE = 2000-01-06 LPM, Saturday"},
      {"dmy slash", "15/03/(-44)", "", "",
       With([](RequestOptions& o) { o.format = kFormatDMY, o.date_separator = "/", o.second_calendar = cal::JC; }),
       "15/03/(-44) CE = 17/03/(-44) JC, Thursday"},
      {"grouped years", "12345-01-01", "", "", With([](RequestOptions& o) { o.second_calendar = cal::ORD; }),
       "12,345-01-01 CE = Out of Range\r\n"},
      {"before year one in ordinal", "-5-01-01", "", "", With([](RequestOptions& o) { o.second_calendar = cal::ORD; }),
       "-5-01-01 CE = Out of Range\r\n"},
      {"largest jdn plus one", "2099999999", "1", "",
       With([](RequestOptions& o) { o.first_calendar = o.second_calendar = cal::JDN; }),
       "2,099,999,999 JDN plus 1 day = 2,100,000,000 JDN, Monday"},
      {"largest jdn plus two", "2099999999", "2", "",
       With([](RequestOptions& o) { o.first_calendar = o.second_calendar = cal::JDN; }), "Out of Range\r\n"},
      {"span too long", "-2099999999", "", "2099999999",
       With([](RequestOptions& o) { o.first_calendar = o.second_calendar = cal::JDN; }), "Out of Range\r\n"},
      {"months mode converts", "2000-01-01", "", "",
       With([](RequestOptions& o) { o.unit = DifferenceUnit::Months, o.second_calendar = cal::JDN; }),
       "2000-01-01 CE = 2,451,545 JDN, Saturday"},
  };
  for (const auto& c : cases) {
    const KeptOutcome outcome = RunRequest(c.first, c.difference, c.second, c.options);
    EXPECT_EQ(outcome.output, std::string(c.output) + "\r\n") << c.name;
    EXPECT_TRUE(outcome.validated) << c.name;
  }
}

// Strict reading keeps a date typed exactly as the writer writes it instead of writing it again:
// the boxes and the line must come out as lenient reading (which always writes back) gives them,
// for texts in their written form and texts one step from it, in every field order.
TEST(EngineBoxes, ADateTypedAsWrittenEndsAsTheWrittenOne) {
  struct Case {
    const char* first;
    const char* second;
    DateFormat format;
    const char* separator;
    CalendarCode calendar;
    const char* first_box;  // the normal form both readings leave in the first box
  };
  const Case cases[] = {
      {"2145-01-02", "", kFormatYMD, "-", cal::CE, "2145-01-02"},
      {"0007-03-09", "", kFormatYMD, "-", cal::CE, "7-03-09"},
      {"7-03-09", "2008-07-12", kFormatYMD, "-", cal::CE, "7-03-09"},
      {"2145-1-2", "", kFormatYMD, "-", cal::CE, "2145-01-02"},
      {"02/01/2145", "", kFormatDMY, "/", cal::CE, "02/01/2145"},
      {"01.02.2145", "01.01.2145", kFormatMDY, ".", cal::JC, "01.02.2145"},
      {"01.02.02145", "", kFormatMDY, ".", cal::JC, "01.02.2145"},
      {"1582-10-05", "", kFormatYMD, "-", cal::JC, "1582-10-05"},
  };
  for (const Case& c : cases) {
    RequestOptions lenient = Quiet();
    lenient.format = c.format;
    lenient.date_separator = c.separator;
    lenient.first_calendar = c.calendar;
    lenient.second_calendar = *c.second == '\0' ? cal::ISO : c.calendar;
    RequestOptions strict = lenient;
    strict.text_reading = TextReading::Strict;
    const KeptOutcome by_strict = RunRequest(c.first, "", c.second, strict);
    const KeptOutcome by_lenient = RunRequest(c.first, "", c.second, lenient);
    EXPECT_EQ(by_strict.boxes.first, c.first_box) << c.first;
    EXPECT_EQ(by_lenient.boxes.first, c.first_box) << c.first;
    EXPECT_EQ(by_strict.boxes.second, by_lenient.boxes.second) << c.first;
    EXPECT_EQ(by_strict.output, by_lenient.output) << c.first;
    EXPECT_FALSE(by_strict.output.empty()) << c.first;
  }
}

TEST(EngineBoxes, NormalFormsAreWrittenBack) {
  RequestOptions jdn = Quiet();
  jdn.first_calendar = cal::JDN;
  KeptOutcome outcome = RunRequest("2451545", "", "", jdn);
  EXPECT_EQ(outcome.boxes.first, "2,451,545");
  jdn.thousands_separator = "";
  EXPECT_EQ(RunRequest("2,451,545", "", "", jdn).boxes.first, "2451545");
  outcome = RunRequest(" 2008-7-2 ", "-0", "", Quiet());
  EXPECT_EQ(outcome.boxes.first, "2008-07-02");
  EXPECT_EQ(outcome.boxes.difference, "0");
  EXPECT_EQ(outcome.boxes.second, "2008-07-02");
  outcome = RunRequest("2008-01-01", "", "2008-03-15", Quiet());
  EXPECT_EQ(outcome.boxes.difference, "74");
  RequestOptions ordinal = Quiet();
  ordinal.second_calendar = cal::ORD;
  outcome = RunRequest("-5-01-01", "", "", ordinal);
  EXPECT_EQ(outcome.boxes.second, "");  // the box keeps its old text when the result is out of range
  ASSERT_TRUE(outcome.message.has_value());
  EXPECT_EQ(outcome.message->text, "Result is out of range.");
}

struct RefusalCase {
  const char* name;
  const char *first, *difference, *second;
  RequestOptions options;
  const char* message;
  MessageKind kind;
  const char* title;
};

TEST(EngineRefusals, MessagesAndTitles) {
  const RefusalCase cases[] = {
      {"bad first", "2012-02-30", "", "", Quiet(),
       "First date is not valid in specified calendar using specified date format.", MessageKind::InputError, "Error!"},
      {"first out of range", "5800001-01-01", "", "", Quiet(), "First date is out of range.", MessageKind::InputError,
       "Error!"},
      {"bad difference", "2012-01-01", "x", "", Quiet(), "Date difference is not valid.", MessageKind::InputError,
       "Error!"},
      {"difference out of range", "2012-01-01", "2,100,000,001", "", Quiet(), "Date difference is out of range.",
       MessageKind::InputError, "Error!"},
      {"bad second", "2012-01-01", "", "15 March 2012", Quiet(),
       "Second date is not valid in specified calendar using specified date format.", MessageKind::InputError, "Error!"},
      {"second out of range", "", "", "-5800001-01-01", Quiet(), "Second date is out of range.", MessageKind::InputError,
       "Error!"},
      {"german title", "x", "", "", With([](RequestOptions& o) { o.language = Language::German; }),
       "Erstes Datum ist in dem angegebenen Kalender (und Datumsformat) nicht zulaessig.", MessageKind::InputError,
       "Fehler!"},
      {"difference overflow", "-2099999999", "", "2099999999",
       With([](RequestOptions& o) { o.first_calendar = o.second_calendar = cal::JDN; }), "Result is out of range.",
       MessageKind::InputError, "Error!"},
      {"months far beyond", "5800000-01-01", "2100000000", "", With([](RequestOptions& o) { o.unit = DifferenceUnit::Months; }),
       "Result is out of range.", MessageKind::InputError, "Error!"},
      {"months bad difference", "2012-01-01", "--", "", With([](RequestOptions& o) { o.unit = DifferenceUnit::Months; }),
       "Date difference is not valid.", MessageKind::InputError, "Error!"},
  };
  for (const auto& c : cases) {
    const KeptOutcome outcome = RunRequest(c.first, c.difference, c.second, c.options);
    ASSERT_TRUE(outcome.message.has_value()) << c.name;
    EXPECT_EQ(outcome.message->text, c.message) << c.name;
    EXPECT_EQ(outcome.message->title, c.title) << c.name;
    EXPECT_EQ(outcome.message->kind, c.kind) << c.name;
    if (std::string_view(c.message) != "Result is out of range.") {
      EXPECT_EQ(outcome.output, "") << c.name;  // a refused input appends nothing
      EXPECT_FALSE(outcome.validated) << c.name;
      EXPECT_EQ(outcome.boxes.first, c.first) << c.name;  // and keeps what was typed
    }
  }
}

TEST(EngineRefusals, MonthsModeRefusalsUseTheNumberedTexts) {
  RequestOptions months = Quiet();
  months.unit = DifferenceUnit::Months;
  const auto text = [](std::initializer_list<int16_t> numbers) {
    std::string joined;
    for (const int16_t n : numbers) joined += (joined.empty() ? "" : "\r\n") + GetProgramText(Texts(), n, Language::English);
    return joined;
  };
  KeptOutcome outcome = RunRequest("2008-01-01", "", "2008-03-15", months);
  ASSERT_TRUE(outcome.message.has_value());
  EXPECT_EQ(outcome.message->text, text({21, 22}));
  EXPECT_EQ(outcome.message->title, "Compute");
  EXPECT_TRUE(outcome.switch_to_days);
  EXPECT_EQ(outcome.output, "");
  months.second_calendar = cal::JC;
  outcome = RunRequest("2008-01-01", "1", "", months);
  EXPECT_EQ(outcome.message->text, text({23, 24}));
  EXPECT_FALSE(outcome.switch_to_days);
  for (const CalendarCode code : {cal::ISO, cal::JDN, cal::LPW, cal::ORD}) {
    months.first_calendar = months.second_calendar = code;
    outcome = RunRequest("2451545", "1", "", months);
    EXPECT_EQ(outcome.message->text, text({25, 26, 27})) << code;
  }
  months.language = Language::German;
  outcome = RunRequest("2451545", "1", "", months);
  EXPECT_EQ(outcome.message->title, "Berechnen");
  for (int16_t number = 21; number <= 27; ++number) {
    for (const Language language : {Language::English, Language::German}) EXPECT_FALSE(GetProgramText(Texts(), number, language).empty()) << number;
  }
}

TEST(UnitWords, SingularOnlyForOneInEitherDirection) {
  const struct {
    int64_t count;
    Language language;
    const char *days, *months;
  } cases[] = {{1, Language::English, "day", "month"},   {-1, Language::English, "day", "month"},
               {0, Language::English, "days", "months"}, {2, Language::English, "days", "months"},
               {1, Language::German, "Tag", "Monat"},    {-7, Language::German, "Tage", "Monate"},
               {-2'100'000'000, Language::English, "days", "months"}};
  for (const auto& c : cases) {
    EXPECT_EQ(DayOrDays(c.count, c.language), c.days) << c.count;
    EXPECT_EQ(MonthOrMonths(c.count, c.language), c.months) << c.count;
  }
}

TEST(EngineToday, EmptyBoxesMeanToday) {
  SetTodaySource([] { return LocalDate{2012, 12, 31}; });
  RequestOptions options = Quiet();
  EXPECT_EQ(TodayBoxText(cal::CE, options), "2012-12-31");
  EXPECT_EQ(TodayBoxText(cal::JDN, options), "2,456,293");
  EXPECT_EQ(TodayBoxText(cal::ISO, options), "2013-W01-1");
  EXPECT_EQ(TodayBoxText(cal::LPW, options), "2013-02-1");
  options.hyphen = Hyphen::Without;
  EXPECT_EQ(TodayBoxText(cal::ORD, options), "2012366");
  SetTodaySource({});
}

// What the filled boxes ask for before anything is dispatched: blanks never count as text.
TEST(EngineFirstSteps, TheFilledBoxesDecideTheStep) {
  SetTodaySource([] { return LocalDate{2012, 12, 31}; });
  struct Case {
    const char* name;
    BoxTexts boxes;
    RequestStep step;
    const char* first_box;  // the first box after the step
    const char* output;
  };
  const Case cases[] = {
      {"all empty gives today", {"", "", ""}, RequestStep::Computed, "2012-12-31", "2012-12-31 CE, Monday\r\n"},
      {"blanks only give today", {"  ", " ", "   "}, RequestStep::Computed, "2012-12-31", "2012-12-31 CE, Monday\r\n"},
      {"only the difference", {" ", " 7 ", ""}, RequestStep::NothingToDo, "", ""},
      {"all three ask", {"2012-01-01", "1", "2012-01-05"}, RequestStep::AskWhichBoxToClear, "2012-01-01", ""},
      {"trimmed and computed", {" 2012-01-01 ", "", ""}, RequestStep::Computed, "2012-01-01", "2012-01-01 CE, Sunday\r\n"},
  };
  ComputeEngine engine(Texts());
  for (const Case& c : cases) {
    const Outcome& outcome = engine.Compute(c.boxes.first, c.boxes.difference, c.boxes.second, Quiet());
    EXPECT_EQ(outcome.step, c.step) << c.name;
    EXPECT_EQ(outcome.boxes.first, c.first_box) << c.name;
    EXPECT_EQ(outcome.output, c.output) << c.name;
    if (c.step == RequestStep::AskWhichBoxToClear) {
      ASSERT_TRUE(outcome.message.has_value()) << c.name;
      EXPECT_EQ(outcome.message->text, RequestMessage(Language::English, reqmsg::BothDatesNeedEmptyDifference));
    }
  }
  SetTodaySource({});
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// One engine serves request after request (a batch, a window's session) with buffers and working
// values left by the one before: each answer is what a fresh engine gives.
TEST(EngineReuse, EachRequestAnswersAsOnAFreshEngine) {
  struct Request {
    const char *first, *difference, *second;
    void (*change)(RequestOptions&);
  };
  const Request requests[] = {
      {" 2008-01-01 ", "", "2008-03-15", [](RequestOptions&) {}},
      {"2008-07-12", "1,000", "", [](RequestOptions& o) { o.second_calendar = cal::ISO; }},
      {"", "-10", "2451545", [](RequestOptions& o) { o.second_calendar = cal::JDN; o.language = Language::German; }},
      {"2008-01-31", "1", "", [](RequestOptions& o) { o.unit = DifferenceUnit::Months; }},
      {"2008-01-31", "1", "2008-02-01", [](RequestOptions& o) { o.unit = DifferenceUnit::Months; }},
      {"2008-01-31", "x", "", [](RequestOptions&) {}},
      {"2008-02-30", "", "", [](RequestOptions&) {}},
      {"9999-12-31", "5", "", [](RequestOptions& o) { o.second_calendar = cal::ORD; }},
      {"2008-01-01", "5", "2008-01-09", [](RequestOptions&) {}},
      {"", "5", "", [](RequestOptions&) {}},
      {"2024-W01-1", "", "", [](RequestOptions& o) { o.first_calendar = cal::ISO; o.second_calendar = cal::LPM; }},
      {"2008-1-1", "", "2008-1-9", [](RequestOptions& o) { o.include_weekends = false; }},
      // The options of reading and writing dates change between requests, also to texts of the
      // same length in the same place.
      {"15/03/2012", "", "", [](RequestOptions& o) { o.format = kFormatDMY; o.date_separator = "/"; }},
      {"15.03.2012", "1.000", "", [](RequestOptions& o) { o.format = kFormatDMY; o.date_separator = "."; o.thousands_separator = "."; }},
      {"03/15/2012", "", "", [](RequestOptions& o) { o.format = kFormatMDY; o.date_separator = "/"; o.second_calendar = cal::ORD; }},
      {"2012-03-15", "", "", [](RequestOptions& o) { o.second_calendar = cal::ORD; o.hyphen = Hyphen::Without; }},
      {"2012-03-15", "", "", [](RequestOptions& o) { o.second_calendar = cal::ORD; }},
      {"2012-03-15 x", "", "", [](RequestOptions& o) { o.text_reading = TextReading::Strict; }},
      {"2012-03-15 x", "", "", [](RequestOptions&) {}},
      {"2012.03.15", "", "", [](RequestOptions& o) { o.date_separator = "."; o.thousands_separator = ""; }},
      {"12345.03.15", "", "", [](RequestOptions& o) { o.date_separator = "."; o.thousands_separator = ","; }},
  };
  ComputeEngine reused(Texts());
  RequestOptions kept_options;  // one value changed in place, as the window's is
  for (const bool in_place : {false, true}) {
    for (const Request& request : requests) {
      SCOPED_TRACE(std::string(request.first) + "|" + request.difference + "|" + request.second);
      RequestOptions options;
      request.change(options);
      if (in_place) {
        kept_options = RequestOptions{};
        request.change(kept_options);
      }
      const RequestOptions& given = in_place ? kept_options : options;
      const KeptOutcome expected = RunRequest(request.first, request.difference, request.second, options);
      const Outcome& got = reused.Compute(request.first, request.difference, request.second, given);
      EXPECT_EQ(got.output, expected.output);
      EXPECT_EQ(got.boxes.first, expected.boxes.first);
      EXPECT_EQ(got.boxes.difference, expected.boxes.difference);
      EXPECT_EQ(got.boxes.second, expected.boxes.second);
      EXPECT_EQ(got.step, expected.step);
      EXPECT_EQ(got.message.has_value(), expected.message.has_value());
      if (got.message && expected.message) {
        EXPECT_EQ(got.message->text, expected.message->text);
      }
      EXPECT_EQ(got.validated, expected.validated);
      EXPECT_EQ(got.switch_to_days, expected.switch_to_days);
    }
  }
}

}  // namespace
}  // namespace qv
