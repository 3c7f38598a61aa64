// Captions built by the languages' rules: unit words, date-format options, calendar options.
#include <gtest/gtest.h>

#include "lang/captions.h"
#include "support/program_texts.h"
#include "support/printing.h"

namespace qv {
namespace {

TEST(Captions, UnitWordsKeepTheirCapitalOnlyInGerman) {
  EXPECT_EQ(UnitWord(GeneralText::Days, Language::English), "days");
  EXPECT_EQ(UnitWord(GeneralText::Months, Language::German), "Monate");
  EXPECT_EQ(UnitWord(GeneralText::Day, static_cast<Language>(7)), "day");  // a stray code reads as English
}

TEST(Captions, DateFormatOptionsNameTheFieldsInOrder) {
  struct Case {
    DateFormat format;
    Language language;
    const char* caption;
  };
  const Case cases[] = {
      {kFormatYMD, Language::English, "year month day"}, {kFormatDMY, Language::English, "day month year"},
      {kFormatMDY, Language::English, "month day year"}, {kFormatYMD, Language::German, "Jahr Monat Tag"},
      {kFormatDMY, Language::German, "Tag Monat Jahr"},  {kFormatMDY, Language::German, "Monat Tag Jahr"},
  };
  for (const Case& c : cases) EXPECT_EQ(DateFormatCaption(c.format, c.language), c.caption);
}

TEST(Captions, CalendarOptionsWithAndWithoutTheirCode) {
  struct Case {
    CalendarCode calendar;
    CaptionCode code;
    bool hyphen;
    Language language;
    const char* caption;
  };
  const Case cases[] = {
      {cal::CE, CaptionCode::With, true, Language::English, "Common Era date (CE)"},
      {cal::JC, CaptionCode::With, true, Language::German, "Julianisches Kalenderdatum (JC)"},
      {cal::LPM, CaptionCode::With, true, Language::English, "Tarvell Leap Week month date (LPM)"},
      {cal::ORD, CaptionCode::With, true, Language::English, "Ordinal date (yyyy-ddd)"},
      {cal::ORD, CaptionCode::With, false, Language::German, "Ordinaldatum (JJJJTTT)"},
      {cal::ORD, CaptionCode::Without, true, Language::German, "Ordinaldatum"},
      {cal::JDN, CaptionCode::Without, false, Language::English, "Julian day number"},
  };
  for (const Case& c : cases) EXPECT_EQ(CalendarOptionCaption(c.calendar, c.code, c.hyphen ? Hyphen::With : Hyphen::Without, c.language), c.caption);
}

TEST(Captions, NoneIsLowerCasedInEveryLanguage) {
  EXPECT_EQ(NoThousandsSeparatorCaption(Language::English), "none");
  EXPECT_EQ(NoThousandsSeparatorCaption(Language::German), "keine");
}

TEST(Captions, ResetQuestionHasTwoLinesAnEmptyLineAndTheQuestion) {
  const std::string question = ResetQuestion(test::ShippedTexts(), Language::German);
  const ProgramTextStore& texts = test::ShippedTexts();
  EXPECT_EQ(question, GetProgramText(texts, 18, Language::German) + "\r\n" + GetProgramText(texts, 19, Language::German) +
                          "\r\n\r\n" + GetProgramText(texts, 20, Language::German));
  EXPECT_NE(question.find("fortfahren?"), std::string::npos);
}

TEST(WithoutMnemonic, DropsTheMarkerAndKeepsADoubledAmpersand) {
  EXPECT_EQ(WithoutMnemonic("&Hinzufügen…"), "Hinzufügen…");
  EXPECT_EQ(WithoutMnemonic("Arbeits&woche"), "Arbeitswoche");
  EXPECT_EQ(WithoutMnemonic("Salt && pepper&"), "Salt & pepper");
}

}  // namespace
}  // namespace qv
