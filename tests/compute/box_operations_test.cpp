// The main window's single-box operations: calendar change, second to first, the day stepper,
// the hyphen option and the today panel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/clock.h"
#include "compute/box_operations.h"
#include "lang/general_texts.h"
#include "lang/request_messages.h"
#include "support/program_texts.h"
#include "support/printing.h"

namespace qv {
namespace {

const ProgramTextStore& Texts() { return test::ShippedTexts(); }

TEST(ConvertBoxDate, ConvertsOrRefusesWithTheRightMessage) {
  struct Case {
    const char* text;
    CalendarCode from, to;
    DateBox box;
    bool converted;
    const char* result;
    int16_t message_number;  // 0: no message
  };
  const Case cases[] = {
      {"2000-01-01", cal::CE, cal::JDN, DateBox::First, true, "2,451,545", 0},
      {"2,451,545", cal::JDN, cal::CE, DateBox::First, true, "2000-01-01", 0},
      {"2451545", cal::JDN, cal::ISO, DateBox::Second, true, "1999-W52-6", 0},
      {"2008-01-01", cal::CE, cal::JC, DateBox::First, true, "2007-12-19", 0},
      {"2012-12-31", cal::CE, cal::ORD, DateBox::First, true, "2012-366", 0},
      {"1000", cal::JDN, cal::ORD, DateBox::First, false, "", 0},       // before year 1: silent
      {"2000-01-01", cal::CE, cal::CE, DateBox::First, false, "", 0},   // nothing to convert
      {"", cal::CE, cal::JDN, DateBox::First, false, "", 0},
      {"nonsense", cal::CE, cal::JDN, DateBox::First, false, "", 156},
      {"2012-02-30", cal::CE, cal::ISO, DateBox::Second, false, "", 157},
  };
  for (const Case& c : cases) {
    const BoxConversion conversion =
        ConvertBoxDate(c.text, c.from, c.to, c.box, DateTextOptions{}, Texts(), Language::English);
    EXPECT_EQ(conversion.converted, c.converted) << c.text;
    EXPECT_EQ(conversion.text, c.result) << c.text;
    EXPECT_EQ(conversion.message.has_value(), c.message_number != 0) << c.text;
    if (conversion.message) {
      EXPECT_EQ(conversion.message->text, GetProgramText(Texts(), c.message_number, Language::English));
      EXPECT_EQ(conversion.message->title, GetProgramText(Texts(), 150, Language::English));
      EXPECT_FALSE(conversion.message->text.empty());
    }
  }
}

TEST(MoveSecondDateToFirst, WritesInTheFirstCalendarWithoutTheOrdinalRange) {
  const DateTextOptions options;
  BoxEdit edit = MoveSecondDateToFirst("2000-01-01", cal::CE, cal::JDN, options, Language::English);
  EXPECT_TRUE(edit.replace_text);
  EXPECT_EQ(edit.text, "2,451,545");
  EXPECT_FALSE(edit.message);
  // A day before year 1 still gets an ordinal text: the move makes no range test.
  edit = MoveSecondDateToFirst("0000-06-01", cal::CE, cal::ORD, options, Language::English);
  EXPECT_TRUE(edit.replace_text);
  EXPECT_EQ(edit.text, "0000-153");
  edit = MoveSecondDateToFirst("x", cal::CE, cal::JDN, options, Language::English);
  ASSERT_TRUE(edit.message);
  EXPECT_FALSE(edit.replace_text);
  EXPECT_EQ(edit.message->text, RequestMessage(Language::English, reqmsg::SecondDateNotValid));
  EXPECT_EQ(edit.message->title, "Error!");
  edit = MoveSecondDateToFirst("5800001-01-01", cal::CE, cal::JDN, options, Language::English);
  ASSERT_TRUE(edit.message);
  EXPECT_EQ(edit.message->text, RequestMessage(Language::English, reqmsg::SecondDateOutOfRange));
}

TEST(ShiftBoxDate, StepsAndStopsAtTheLimits) {
  const DateTextOptions options;
  struct Case {
    DateBox box;
    const char* text;
    CalendarCode calendar;
    int64_t days;
    const char* result;  // nullptr: refused
    int message;         // request message number when refused
  };
  const Case cases[] = {
      {DateBox::First, "2012-12-31", cal::CE, 1, "2013-01-01", 0},
      {DateBox::First, "2013-01-01", cal::CE, -1, "2012-12-31", 0},
      {DateBox::Second, "2,100,000,000", cal::JDN, -1, "2,099,999,999", 0},
      {DateBox::Second, "2,100,000,000", cal::JDN, 1, nullptr, reqmsg::ResultOutOfRange},
      {DateBox::First, "-2,100,000,000", cal::JDN, -1, nullptr, reqmsg::ResultOutOfRange},
      {DateBox::First, "9999-365", cal::ORD, 1, nullptr, reqmsg::ResultOutOfRange},
      {DateBox::First, "0001-001", cal::ORD, -1, nullptr, reqmsg::ResultOutOfRange},
      {DateBox::First, "2009-W53-7", cal::ISO, 1, "2010-W01-1", 0},
      {DateBox::First, "garbage", cal::CE, 1, nullptr, reqmsg::FirstDateNotValid},
      {DateBox::Second, "garbage", cal::CE, 1, nullptr, reqmsg::SecondDateNotValid},
      {DateBox::First, "5800001-01-01", cal::CE, 1, nullptr, reqmsg::FirstDateOutOfRange},
  };
  for (const Case& c : cases) {
    const BoxEdit edit = ShiftBoxDate(c.box, c.text, c.calendar, c.days, options, Language::English);
    if (c.result != nullptr) {
      EXPECT_TRUE(edit.replace_text) << c.text;
      EXPECT_EQ(edit.text, c.result) << c.text;
      EXPECT_FALSE(edit.message) << c.text;
      EXPECT_TRUE(edit.output.empty());
    } else {
      EXPECT_FALSE(edit.replace_text) << c.text;
      ASSERT_TRUE(edit.message) << c.text;
      EXPECT_EQ(edit.message->text, RequestMessage(Language::English, c.message)) << c.text;
      const bool overflow = c.message == reqmsg::ResultOutOfRange;
      EXPECT_EQ(edit.output, overflow ? "Out of Range\r\n" : "") << c.text;
    }
  }
}

TEST(RestyleForHyphen, OrdinalAndIsoFormsFollowTheOption) {
  struct Case {
    const char* text;
    bool hyphen;
    const char* result;
  };
  const Case cases[] = {
      {"2012366", true, "2012-366"},       {"2012-366", false, "2012366"},
      {"2012W521", true, "2012-W52-1"},    {"2012-W52-1", false, "2012W521"},
      {"-2012-W52-1", false, "-2012W521"}, {" 2012-12-31 ", true, "2012-12-31"},
      {"2012-366", true, "2012-366"},      {"hello", false, "hello"},
      {"", true, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(RestyleForHyphen(c.text, c.hyphen ? Hyphen::With : Hyphen::Without), c.result) << c.text;
}

TEST(TodayPanel, EveryCalendarOfTheCycleInBothLanguages) {
  SetTodaySource([] { return LocalDate{2012, 12, 31}; });
  struct Case {
    CalendarCode calendar;
    Language language;
    int16_t hyphen;
    const char* today;
    const char* week;
  };
  const Case cases[] = {
      {cal::CE, Language::English, 1, "2012-12-31 CE", "2013-01-07 CE"},
      {cal::CE, Language::German, 1, "der 2012-12-31 CE", "der 2013-01-07 CE"},
      {cal::JC, Language::German, 1, "der 2012-12-18 JC", "der 2012-12-25 JC"},
      {cal::ISO, Language::German, 1, "2013-W01-1 ISO", "2013-W02-1 ISO"},
      {cal::ISO, Language::English, 0, "2013W011 ISO", "2013W021 ISO"},
      {cal::ORD, Language::English, 0, "2012366", "2013007"},
      {cal::JDN, Language::English, 1, "2,456,293 JDN", "2,456,300 JDN"},
      {cal::TLW, Language::English, 1, "2012-12-31 CE", "2013-01-07 CE"},  // not a panel calendar
      // The added calendars the user may add to the cycle, in the box's numeric form (10 Tevet
      // 5773, a fast day, fell on Sunday 23 December 2012).
      {cal::HEB, Language::English, 1, "5773-04-18 HEB", "5773-04-25 HEB"},
      {cal::HEB, Language::German, 1, "der 5773-04-18 HEB", "der 5773-04-25 HEB"},
      {cal::MAY, Language::German, 1, "13.0.0.0.10 MAY", "13.0.0.0.17 MAY"},
  };
  for (const Case& c : cases) {
    DateTextOptions options;
    options.hyphen = static_cast<Hyphen>(c.hyphen);
    const TodayPanelTexts panel = TodayPanel(c.calendar, c.language, options);
    EXPECT_EQ(panel.today_date, c.today) << c.calendar;
    EXPECT_EQ(panel.week_date, c.week) << c.calendar;
  }
  EXPECT_EQ(TodayPanel(cal::CE, Language::English, {}).today_phrase, "Today is Monday,");
  EXPECT_EQ(TodayPanel(cal::CE, Language::German, {}).today_phrase, "Heute ist Montag,");
  EXPECT_EQ(TodayPanel(cal::CE, Language::German, {}).week_phrase, "Eine Woche weiter ist");
  SetTodaySource({});
}

TEST(TodayPanel, TheCycleGoesRoundBothWays) {
  const CalendarCode order[] = {cal::CE, cal::ISO, cal::JC, cal::ORD, cal::LPM, cal::LPW, cal::JDN};
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(NextTodayCalendar(order[i]), order[(i + 1) % 7]);
    EXPECT_EQ(PreviousTodayCalendar(order[(i + 1) % 7]), order[i]);
  }
  EXPECT_EQ(NextTodayCalendar(cal::ARC), cal::ARC);
  EXPECT_EQ(PreviousTodayCalendar(-5), -5);
}

// The added calendars a user chose follow JDN in their order; without them the cycle is as above
// and an added calendar stays where it is.
TEST(TodayPanel, ChosenCalendarsFollowTheCycle) {
  struct Case {
    std::vector<CalendarCode> more;
    CalendarCode from, next, previous;
  };
  const Case cases[] = {
      {{cal::HEB}, cal::JDN, cal::HEB, cal::LPW},
      {{cal::HEB}, cal::HEB, cal::CE, cal::JDN},
      {{cal::HEB}, cal::CE, cal::ISO, cal::HEB},
      {{cal::ISL, cal::PER}, cal::ISL, cal::PER, cal::JDN},
      {{cal::ISL, cal::PER}, cal::PER, cal::CE, cal::ISL},
      {{cal::ISL, cal::PER}, cal::HEB, cal::HEB, cal::HEB},  // not chosen
      {{}, cal::HEB, cal::HEB, cal::HEB},
      {{}, cal::JDN, cal::CE, cal::LPW},
      {{cal::ARC, cal::MAY}, cal::JDN, cal::MAY, cal::LPW},  // a described code is passed over
      {{cal::ARC, cal::MAY}, cal::CE, cal::ISO, cal::MAY},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NextTodayCalendar(c.from, c.more), c.next) << c.from;
    EXPECT_EQ(PreviousTodayCalendar(c.from, c.more), c.previous) << c.from;
  }
}

TEST(SeparatorSample, EachFormatOrdersTheSampleDate) {
  EXPECT_EQ(SeparatorSample(kFormatYMD, "-"), "2012-12-31");
  EXPECT_EQ(SeparatorSample(kFormatDMY, "/"), "31/12/2012");
  EXPECT_EQ(SeparatorSample(kFormatMDY, "."), "12.31.2012");
}

}  // namespace
}  // namespace qv
