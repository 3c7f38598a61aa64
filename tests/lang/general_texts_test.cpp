#include "lang/general_texts.h"
#include "support/printing.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace qv {
namespace {

struct EntryCase {
  GeneralText entry;
  const char* english;
  const char* german;
};

class GeneralTextLookup : public ::testing::TestWithParam<EntryCase> {};

TEST_P(GeneralTextLookup, GivesEnglishAndGerman) {
  const EntryCase& c = GetParam();
  EXPECT_EQ(TextOf(c.entry, Language::English), c.english);
  EXPECT_EQ(TextOf(c.entry, Language::German), c.german);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, GeneralTextLookup,
    ::testing::Values(EntryCase{GeneralText::AWeekFromTodayIs, "A week from today is", "Eine Woche weiter ist"},
                      EntryCase{GeneralText::To, "To", "Bis"}, EntryCase{GeneralText::Day, "Day", "Tag"},
                      EntryCase{GeneralText::Days, "Days", "Tage"}, EntryCase{GeneralText::Week, "Week", "Woche"},
                      EntryCase{GeneralText::Weeks, "Weeks", "Wochen"}, EntryCase{GeneralText::Month, "Month", "Monat"},
                      EntryCase{GeneralText::Months, "Months", "Monate"}, EntryCase{GeneralText::Year, "Year", "Jahr"},
                      EntryCase{GeneralText::Years, "Years", "Jahre"},
                      EntryCase{GeneralText::IncludingFirstDate, "including 1st date", "einschliesslich 1. Datum"},
                      EntryCase{GeneralText::ExcludingFirstDate, "excluding 1st date", "ausschliesslich 1. Datum"},
                      EntryCase{GeneralText::NotCountingWeekendDays, "not counting weekend days",
                                "die Wochenendtage nicht gezaehlt"},
                      EntryCase{GeneralText::OutOfRange, "Out of Range", "Ausserhalb des erlaubten Bereichs"},
                      EntryCase{GeneralText::Error, "Error", "Fehler"}, EntryCase{GeneralText::Plus, "plus", "plus"},
                      EntryCase{GeneralText::Minus, "minus", "minus"},
                      EntryCase{GeneralText::IncludeFirstDate, "Include first date in days-beween-dates",
                                "Erstes Datum einschliessen"},
                      EntryCase{GeneralText::OutputWindowIsEmpty, "The output window is empty.", "Das Ausgabefenster is leer."},
                      EntryCase{GeneralText::SecondToFirst, "Second -> First", "Zweites -> Erstes"},
                      EntryCase{GeneralText::OrdinalPattern, "yyyyddd", "JJJJTTT"},
                      EntryCase{GeneralText::OrdinalPatternWithHyphen, "yyyy-ddd", "JJJJ-TTT"},
                      EntryCase{GeneralText::Clear, "Clear", "Loeschen"}));

TEST(GeneralTextLanguage, AnyCodeButGermanReadsEnglish) {
  for (const int16_t code : {int16_t{2}, int16_t{5}, int16_t{-1}, int16_t{INT16_MAX}, int16_t{INT16_MIN}}) {
    const auto language = static_cast<Language>(code);
    EXPECT_EQ(TextOf(GeneralText::Close, language), "Close") << code;
    EXPECT_EQ(WeekdayName(language, 1), "Monday") << language;
    EXPECT_EQ(MonthName(language, 3), "March") << language;
  }
}

TEST(GeneralTextLanguage, EntryOutsideTableIsEmpty) {
  EXPECT_TRUE(TextOf(GeneralText::Count, Language::English).empty());
  EXPECT_TRUE(TextOf(static_cast<GeneralText>(250), Language::German).empty());
}

TEST(GeneralTextTable, EveryEntryFilledDistinctAndGermanPlainAscii) {
  std::set<std::string_view> english;
  for (std::size_t i = 0; i < kGeneralTextCount; ++i) {
    const std::string_view in_english = TextOf(static_cast<GeneralText>(i), Language::English);
    const std::string_view in_german = TextOf(static_cast<GeneralText>(i), Language::German);
    EXPECT_FALSE(in_english.empty()) << i;
    EXPECT_FALSE(in_german.empty()) << i;
    EXPECT_TRUE(english.insert(in_english).second) << "twice: " << in_english;
    for (const char c : in_german) {
      EXPECT_GE(static_cast<unsigned char>(c), 0x20U) << in_german;
      EXPECT_LT(static_cast<unsigned char>(c), 0x80U) << in_german;
    }
  }
}

struct NameCase {
  int16_t language;
  int index;
  const char* expected;
};

class WeekdayNames : public ::testing::TestWithParam<NameCase> {};
TEST_P(WeekdayNames, ByLanguageAndDay) {
  EXPECT_EQ(WeekdayName(static_cast<Language>(GetParam().language), GetParam().index), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Days, WeekdayNames,
                         ::testing::Values(NameCase{0, 0, "Sunday"}, NameCase{0, 6, "Saturday"},
                                           NameCase{1, 0, "Sonntag"}, NameCase{1, 3, "Mittwoch"},
                                           NameCase{1, 6, "Samstag"}, NameCase{0, -1, ""}, NameCase{1, 7, ""},
                                           NameCase{0, INT32_MIN, ""}));

class MonthNames : public ::testing::TestWithParam<NameCase> {};
TEST_P(MonthNames, ByLanguageAndMonth) {
  EXPECT_EQ(MonthName(static_cast<Language>(GetParam().language), GetParam().index), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Months, MonthNames,
                         ::testing::Values(NameCase{0, 1, "January"}, NameCase{0, 12, "December"},
                                           NameCase{1, 3, "Maerz"}, NameCase{1, 5, "Mai"},
                                           NameCase{1, 10, "Oktober"}, NameCase{0, 0, ""}, NameCase{1, 13, ""},
                                           NameCase{0, INT32_MAX, ""}));

TEST(LowerCase, CaptionsOfUnitAndFormatOptions) {
  EXPECT_EQ(LowerCase("Year Month Day"), "year month day");
  EXPECT_EQ(LowerCase(TextOf(GeneralText::None, Language::German)), "keine");
  EXPECT_EQ(LowerCase("AZaz09-@[`{"), "azaz09-@[`{");
  EXPECT_EQ(LowerCase("\xC3\x84X"), "\xC3\x84x");  // bytes outside ASCII are kept
  EXPECT_EQ(LowerCase(""), "");
}

}  // namespace
}  // namespace qv
