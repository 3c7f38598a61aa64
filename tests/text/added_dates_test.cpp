// The added calendars as text: what a user copies from elsewhere reads to the published day, what
// the program writes (numeric form and verbose note) reads back, and what cannot be placed is refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "calendar/added_calendars.h"
#include "calendar/calendar_codes.h"
#include "calendar/civil.h"
#include "text/added_dates.h"
#include "text/calendar_names.h"
#include "text/date_dispatch.h"
#include "text/date_readers.h"
#include "text/text_builder.h"

namespace qv {
namespace {

int32_t Ce(int32_t y, int32_t m, int32_t d) { return static_cast<int32_t>(civil::GregorianToDayNumber(y, m, d)); }

DateTextOptions Options(TextReading reading, DateFormat format = kFormatYMD, std::string_view separator = "-",
                        std::string_view thousands = ",") {
  return DateTextOptions{.format = format, .date_separator = separator, .thousands_separator = thousands,
                         .hyphen = Hyphen::With, .reading = reading};
}

DateReading Read(std::string_view text, CalendarCode code, TextReading reading = TextReading::Strict) {
  return ReadDateInCalendar(text, code, Options(reading), JdnReading::Strict);
}

std::string Write(int32_t day, CalendarCode code, const DateTextOptions& options, WriteStyle style = {}) {
  TextBuilder text;
  WriteDayNumberInCalendar(text, day, code, options, style);
  return text.Text();
}

struct NamedCase {
  const char* text;
  CalendarCode code;
  int32_t day_number;
};

// Dates as a user copies them: named forms in both languages, spelling variants, any case.
TEST(AddedDates, NamedFormsReadToThePublishedDay) {
  const NamedCase cases[] = {
      {"15 Nisan 5784", cal::HEB, Ce(2024, 4, 23)},
      {"15 nissan 5784 AM", cal::HEB, Ce(2024, 4, 23)},
      {"15 Nisan 5784 AM HEB", cal::HEB, Ce(2024, 4, 23)},
      {"Tishrei 1, 5785", cal::HEB, Ce(2024, 10, 3)},
      {"1. Tischri 5785", cal::HEB, Ce(2024, 10, 3)},
      {"1 Cheshvan 5785", cal::HEB, Ce(2024, 11, 2)},
      {"1 Heshvan 5785", cal::HEB, Ce(2024, 11, 2)},
      {"14 Adar II 5784", cal::HEB, Ce(2024, 3, 24)},  // Purim of a leap year
      {"14 Adar 5785", cal::HEB, Ce(2025, 3, 14)},     // Purim of a common year
      {"1 Muharram 1446", cal::ISL, Ce(2024, 7, 8)},  // tabular; sighted a day earlier
      {"1 Ramadan 1445 AH", cal::ISL, Ce(2024, 3, 11)},
      {"Rabi al-Awwal 12, 1446", cal::ISL, Ce(2024, 9, 16)},
      {"1 Farvardin 1403", cal::PER, Ce(2024, 3, 20)},
      {"1 Farwardin 1404 AP", cal::PER, Ce(2025, 3, 21)},
      {"1 Vendémiaire an I", cal::FRR, Ce(1792, 9, 22)},
      {"18 Brumaire an VIII", cal::FRR, Ce(1799, 11, 9)},
      {"1 vendemiaire an 233", cal::FRR, Ce(2024, 9, 22)},  // by Romme's rule
      {"1 Thout 1741", cal::COP, Ce(2024, 9, 11)},
      {"1 Meskerem 2017", cal::ETH, Ce(2024, 9, 11)},
      {"7 Ter 2017", cal::ETH, Ce(2025, 1, 15)},
      {"1 Chaitra 1946", cal::IND, Ce(2024, 3, 21)},
      {"1 Chaitra 1947 Saka", cal::IND, Ce(2025, 3, 22)},
      {"13.0.0.0.0", cal::MAY, Ce(2012, 12, 21)},
      {"13.0.0.0.0 4 Ahau 3 Kankin", cal::MAY, Ce(2012, 12, 21)},
      {"13.0.0.0.0 4 Ajaw 3 K'ank'in", cal::MAY, Ce(2012, 12, 21)},
      {"0.0.0.0.0", cal::MAY, 584283},
      {"-1.19.19.17.19", cal::MAY, 584282},
  };
  for (const NamedCase& c : cases) {
    for (const TextReading reading : {TextReading::Strict, TextReading::Lenient}) {
      const DateReading read = Read(c.text, c.code, reading);
      EXPECT_EQ(read.result, kReadValid) << c.text;
      EXPECT_FALSE(read.altered) << c.text;
      EXPECT_EQ(read.fields.DayNumber, c.day_number) << c.text;
    }
  }
}

struct RefusedCase {
  const char* text;
  CalendarCode code;
  int16_t result;  // strict reading
  bool altered;
};

TEST(AddedDates, WhatCannotBePlacedIsRefused) {
  const RefusedCase cases[] = {
      {"15 Nosan 5784", cal::HEB, kReadValid, true},          // an unknown name: read only by leaving it out
      {"30 Iyyar 5784", cal::HEB, kReadNotValid, false},      // Iyyar has 29 days
      {"30 Adar II 5784", cal::HEB, kReadNotValid, false},    // Adar II has 29
      {"30 Dhu al-Hijja 1446", cal::ISL, kReadNotValid, false},  // 1446 is a common year
      {"31 Esfand 1403", cal::PER, kReadNotValid, false},
      {"6 jours complémentaires an II", cal::FRR, kReadNotValid, false},
      {"13.0.0.0.0 4 Ahau 4 Kankin", cal::MAY, kReadNotValid, false},  // names of another day
      {"13.0.0.0.20", cal::MAY, kReadNotValid, false},
      {"5785-13-01", cal::HEB, kReadNotValid, false},  // a common year has 12 months
      {"9999999-01-01", cal::ISL, kReadOutOfRange, false},
      {"5900000-01-01", cal::HEB, kReadOutOfRange, false},
      {"20000.0.0.0.0", cal::MAY, kReadOutOfRange, false},
  };
  for (const RefusedCase& c : cases) {
    const DateReading read = Read(c.text, c.code);
    if (c.result == kReadValid) {
      EXPECT_TRUE(read.result != kReadValid || read.altered) << c.text;
      continue;
    }
    EXPECT_EQ(read.result, c.result) << c.text;
  }
}

// Every form the program writes reads back to the same day, over the whole range, in every
// field order and separator: the numeric form with and without the code, and the verbose note.
TEST(AddedDates, WrittenFormsReadBack) {
  std::vector<int32_t> days = {-2'100'000'000, 2'100'000'000, 0, 347998, 584283, 1948440, 2375840, Ce(2024, 10, 3)};
  std::mt19937 random(21);
  std::uniform_int_distribution<int32_t> pick(-2'100'000'000, 2'100'000'000);
  for (int i = 0; i < 400; ++i) days.push_back(pick(random));
  std::uniform_int_distribution<int32_t> near(Ce(1700, 1, 1), Ce(2300, 1, 1));
  for (int i = 0; i < 400; ++i) days.push_back(near(random));
  for (const CalendarCode code : kAddedCalendars) {
    if (!IsAvailableCalendar(code)) continue;
    const AddedCalendarRules* rules = AddedCalendarRulesOf(code);
    // A day outside a calendar's range has no text in it (and is refused: AddedDatesRanges).
    const auto converted = [rules](int32_t day) { return rules == nullptr || AddedDateOf(*rules, day).has_value(); };
    for (const DateFormat format : {kFormatYMD, kFormatDMY, kFormatMDY}) {
      for (const char* separator : {"-", "/", "."}) {
        for (const char* thousands : {",", ".", ""}) {
          const DateTextOptions strict = Options(TextReading::Strict, format, separator, thousands);
          const DateTextOptions lenient = Options(TextReading::Lenient, format, separator, thousands);
          for (const int32_t day : days) {
            if (!converted(day)) continue;
            for (const bool suffix : {false, true}) {
              const std::string text = Write(day, code, strict, WriteStyle{.suffix = suffix});
              const DateReading read = ReadDateInCalendar(text, code, strict, JdnReading::Strict);
              ASSERT_EQ(read.result, kReadValid) << text;
              ASSERT_FALSE(read.altered) << text;
              ASSERT_EQ(read.fields.DayNumber, day) << text;
            }
            const std::string plain = Write(day, code, lenient);
            ASSERT_EQ(ReadDateInCalendar(plain, code, lenient, JdnReading::Lenient).fields.DayNumber, day) << plain;
          }
        }
      }
    }
    for (const Language language : {Language::English, Language::German}) {
      for (const int32_t day : days) {
        if (!converted(day)) continue;
        const std::string note = AddedCalendarNote(code, day, language);
        if (code == cal::MAY) continue;  // the day names alone do not place a day
        const std::string in_parentheses = "(" + note + ")";
        const DateReading read = Read(in_parentheses, code);
        ASSERT_EQ(read.result, kReadValid) << note;
        ASSERT_EQ(read.fields.DayNumber, day) << note;
      }
    }
  }
}

struct NoteCase {
  CalendarCode code;
  int32_t day_number;
  Language language;
  const char* note;
};

TEST(AddedDates, VerboseNotes) {
  const NoteCase cases[] = {
      {cal::HEB, Ce(2024, 10, 3), Language::English, "1 Tishri 5785 AM"},
      {cal::HEB, Ce(2024, 10, 3), Language::German, "1 Tischri 5785 AM"},
      {cal::HEB, Ce(2024, 3, 24), Language::English, "14 Adar II 5784 AM"},
      {cal::ISL, Ce(2024, 7, 8), Language::English, "1 Muharram 1446 AH"},
      {cal::PER, Ce(2024, 3, 20), Language::English, "1 Farvardin 1403 AP"},
      {cal::FRR, Ce(2024, 9, 22), Language::English, "1 Vendémiaire an CCXXXIII, proleptic"},
      {cal::FRR, Ce(2024, 9, 22), Language::German, "1 Vendémiaire an CCXXXIII, proleptisch"},
      {cal::FRR, Ce(1799, 11, 9), Language::English, "18 Brumaire an VIII"},
      {cal::COP, Ce(2024, 9, 11), Language::English, "1 Thout 1741 AM"},
      {cal::ETH, Ce(2024, 9, 11), Language::German, "1 Maskaram 2017 AM"},
      {cal::IND, Ce(2024, 3, 21), Language::English, "1 Chaitra 1946 Saka"},
      {cal::MAY, Ce(2012, 12, 21), Language::English, "4 Ahau 3 Kankin"},
  };
  for (const NoteCase& c : cases) EXPECT_EQ(AddedCalendarNote(c.code, c.day_number, c.language), c.note);
}

TEST(AddedDates, NumericFormFollowsTheCommonEraOptions) {
  const int32_t day = Ce(2024, 10, 3);
  EXPECT_EQ(Write(day, cal::HEB, Options(TextReading::Strict), WriteStyle{.suffix = true}), "5785-01-01 HEB");
  EXPECT_EQ(Write(day, cal::HEB, Options(TextReading::Strict, kFormatDMY, ".")), "01.01.5785");
  EXPECT_EQ(Write(Ce(2024, 7, 8), cal::ISL, Options(TextReading::Strict), WriteStyle{.suffix = true}), "1446-01-01 ISL");
  EXPECT_EQ(Write(Ce(2012, 12, 21), cal::MAY, Options(TextReading::Strict), WriteStyle{.suffix = true}), "13.0.0.0.0 MAY");
  EXPECT_EQ(Write(Ce(2024, 9, 22), cal::FRR, Options(TextReading::Strict), WriteStyle{.suffix = true}), "233-01-01 FRR");
}

TEST(CalendarNames, EveryWrittenMonthNameReadsBack) {
  for (const CalendarCode code : kAddedCalendars) {
    if (code == cal::MAY) continue;
    for (const int32_t year : {5784, 5785}) {  // a leap and a common Hebrew year; any year elsewhere
      for (int16_t month = 1; month <= 13; ++month) {
        for (const Language language : {Language::English, Language::German}) {
          const std::string_view name = AddedMonthName(code, year, month, language);
          if (name.empty()) continue;
          const std::string key = NameKey(name);
          const NameMatch match = MatchAddedMonthName(code, key, year);
          EXPECT_EQ(match.month, month) << name;
          EXPECT_EQ(match.length, key.size()) << name;
        }
      }
    }
  }
  for (int16_t i = 1; i <= 20; ++i) EXPECT_EQ(TzolkinDayOfKey(NameKey(TzolkinDayName(i))), i);
  for (int16_t i = 1; i <= 19; ++i) EXPECT_EQ(HaabMonthOfKey(NameKey(HaabMonthName(i))), i);
  for (int32_t value = 1; value <= 3999; ++value) {
    std::string key = RomanNumeral(value);
    for (char& c : key) c = static_cast<char>(c - 'A' + 'a');
    ASSERT_EQ(RomanNumeralValue(key), value) << key;
  }
  EXPECT_EQ(RomanNumeralValue("iiii"), 0);
  EXPECT_EQ(NameKey("Vendémiaire"), "vendemiaire");
  EXPECT_EQ(NameKey("Rabi' al-Awwal"), "rabialawwal");
}

}  // namespace
}  // namespace qv
