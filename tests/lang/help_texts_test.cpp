// The help texts: the facts each language must carry, and the German text without the
// paragraph on ordinal dates.
#include <gtest/gtest.h>

#include <string>

#include "lang/general_texts.h"
#include "lang/help_texts.h"

namespace qv {
namespace {

std::size_t Paragraphs(const std::string& text) {
  std::size_t count = 1;
  for (std::size_t at = text.find("\n\n"); at != std::string::npos; at = text.find("\n\n", at + 2)) ++count;
  return count;
}

TEST(HelpTexts, FactsInBothLanguages) {
  const ManualAddresses manual{.english = "https://example.org/en", .german = "https://example.org/de"};
  const std::string english = BuildHelpText(Language::English, manual);
  const std::string german = BuildHelpText(Language::German, manual);
  EXPECT_EQ(Paragraphs(english), 19u);
  EXPECT_EQ(Paragraphs(german), 18u);

  for (const char* fact : {"https://example.org/en", "1 AD = 1 CE, 1 BC = 0 CE, 2 BC = -1 CE", "\"0001-001\"",
                           "\"9999-365\"", "(year)-W(week)-(day)", "LPW", "LPM", "-4712-01-01", "'First date'",
                           "'Compute'", "'hexade'", "begin at sunset", "Umm al-Qura", "13.0.0.0.0 MAY",
                           "R7-12-08 JPN", "1 January 1873", "1 April 1889", "200 or 600 divided by 900",
                           "2023-L02-15 CHN", "28 January 1645 to 3 February 2201", "181-00-02 BAH",
                           "21 March 1844 to 20 March 2201",
                           // Our own section: the window's additions, named by their captions.
                           "'Working days...', below 'Count weekend days in days-between-dates'",
                           "'Other calendar:' in a 'This is a' group", "'More calendars...' below this text",
                           "quorvan-cli:\nhttps://example.org/en#workdays"}) {
    EXPECT_NE(english.find(fact), std::string::npos) << fact;
  }
  for (const char* fact : {"https://example.org/de", "1 CE = 1 n.Chr., 0 CE = 1 v.Chr., -1 CE = 2 v.Chr., -2 CE = 3 v.Chr. usw.",
                           "'Erstes Datum'", "'Berechnen'", "-4712-01-01", "Sonnenuntergang", "Umm-al-Qura",
                           "R7-12-08 JPN", "1. Januar 1873", "1. April 1889", "2023-L02-15 CHN",
                           "vom 28. Januar 1645 bis zum 3. Februar 2201",
                           "'Arbeitstage...' unter 'Wochenendtage zaehlen'", "'Anderer Kalender:' in einer Gruppe 'Dies ist ein'",
                           "'Weitere Kalender...' unter diesem Text", "quorvan-cli:\nhttps://example.org/de#arbeitstage"}) {
    EXPECT_NE(german.find(fact), std::string::npos) << fact;
  }
  EXPECT_EQ(german.find("0001-001"), std::string::npos);
  EXPECT_EQ(german.find("https://example.org/en"), std::string::npos);
  // The system's own texts are plain ASCII: German without umlauts or sharp s.
  for (char c : english + german) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
}

TEST(HelpTexts, UnknownLanguageGivesEnglish) {
  EXPECT_EQ(BuildHelpText(static_cast<Language>(2)), BuildHelpText(Language::English));
  EXPECT_EQ(BuildHelpText(static_cast<Language>(-1)), BuildHelpText(Language::English));
}

}  // namespace
}  // namespace qv
