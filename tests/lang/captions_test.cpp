// Captions built by the languages' rules: unit words, date-format options, calendar options.
#include <gtest/gtest.h>

#include "lang/captions.h"
#include "support/program_texts.h"

namespace qv {
namespace {

TEST(Captions, UnitWordsKeepTheirCapitalOnlyInGerman) {
  EXPECT_EQ(UnitWord(GeneralText::Days, LanguageEnglish), "days");
  EXPECT_EQ(UnitWord(GeneralText::Months, LanguageGerman), "Monate");
  EXPECT_EQ(UnitWord(GeneralText::Day, 7), "day");  // a stray code reads as English
}

TEST(Captions, DateFormatOptionsNameTheFieldsInOrder) {
  struct Case {
    DateFormat format;
    int16_t language;
    const char* caption;
  };
  const Case cases[] = {
      {kFormatYMD, LanguageEnglish, "year month day"}, {kFormatDMY, LanguageEnglish, "day month year"},
      {kFormatMDY, LanguageEnglish, "month day year"}, {kFormatYMD, LanguageGerman, "Jahr Monat Tag"},
      {kFormatDMY, LanguageGerman, "Tag Monat Jahr"},  {kFormatMDY, LanguageGerman, "Monat Tag Jahr"},
  };
  for (const Case& c : cases) EXPECT_EQ(DateFormatCaption(c.format, c.language), c.caption);
}

TEST(Captions, CalendarOptionsWithAndWithoutTheirCode) {
  struct Case {
    CalendarCode calendar;
    CaptionCode code;
    bool hyphen;
    int16_t language;
    const char* caption;
  };
  const Case cases[] = {
      {cal::CE, CaptionCode::With, true, LanguageEnglish, "Common Era date (CE)"},
      {cal::JC, CaptionCode::With, true, LanguageGerman, "Julianisches Kalenderdatum (JC)"},
      {cal::LPM, CaptionCode::With, true, LanguageEnglish, "Tarvell Leap Week month date (LPM)"},
      {cal::ORD, CaptionCode::With, true, LanguageEnglish, "Ordinal date (yyyy-ddd)"},
      {cal::ORD, CaptionCode::With, false, LanguageGerman, "Ordinaldatum (JJJJTTT)"},
      {cal::ORD, CaptionCode::Without, true, LanguageGerman, "Ordinaldatum"},
      {cal::JDN, CaptionCode::Without, false, LanguageEnglish, "Julian day number"},
  };
  for (const Case& c : cases) EXPECT_EQ(CalendarOptionCaption(c.calendar, c.code, c.hyphen, c.language), c.caption);
}

TEST(Captions, NoneIsLowerCasedInEveryLanguage) {
  EXPECT_EQ(NoThousandsSeparatorCaption(LanguageEnglish), "none");
  EXPECT_EQ(NoThousandsSeparatorCaption(LanguageGerman), "keine");
}

TEST(Captions, ResetQuestionHasTwoLinesAnEmptyLineAndTheQuestion) {
  const std::string question = ResetQuestion(test::ShippedTexts(), LanguageGerman);
  const ProgramTextStore& texts = test::ShippedTexts();
  EXPECT_EQ(question, GetProgramText(texts, 18, LanguageGerman) + "\r\n" + GetProgramText(texts, 19, LanguageGerman) +
                          "\r\n\r\n" + GetProgramText(texts, 20, LanguageGerman));
  EXPECT_NE(question.find("fortfahren?"), std::string::npos);
}

}  // namespace
}  // namespace qv
