#include "text/string_utils.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace qv {
namespace {

struct TextCase {
  const char* input;
  const char* argument;
  const char* expected;
};

TEST(InsertThousandsSeparators, GroupsFromTheRightAndKeepsTheSignInFront) {
  const TextCase cases[] = {
      {"2000000", ",", "2,000,000"}, {"2000000", ".", "2.000.000"}, {"2000000", "", "2000000"},
      {"999", ",", "999"},           {"1000", ",", "1,000"},        {"-123456", ",", "-123,456"},
      {"-2147483648", ",", "-2,147,483,648"}, {"", ",", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(InsertThousandsSeparators(c.input, c.argument), c.expected) << c.input;
  EXPECT_EQ(InsertThousandsSeparators(std::string(40, '9'), ",").size(), 19u);  // the library's area
  EXPECT_EQ(GroupedNumber(-2100000000, "."), "-2.100.000.000");
}

TEST(RemoveCharacters, RemovesRunsAtOrAfterTheStart) {
  struct Case {
    const char* text;
    const char* set;
    std::size_t start;
    const char* expected;
  };
  const Case cases[] = {
      {"2000-01-01", "-", 1, "20000101"}, {"2000-01-01", "-", 6, "2000-0101"}, {"a--b---c-", "-", 1, "abc"},
      {"---", "-", 1, ""}, {"-a-", "-", 0, "a"}, {"abc", "", 1, "abc"}, {"a b,c", " ,", 1, "abc"}, {"abc", "c", 10, "abc"},
  };
  for (const auto& c : cases) EXPECT_EQ(RemoveCharacters(c.text, c.set, c.start), c.expected) << c.text << c.start;
  EXPECT_EQ(RemoveSpaces(" 1 2 3 "), "123");
}

TEST(CountOccurrences, CountsNonOverlapping) {
  EXPECT_EQ(CountOccurrences("2000-01-01", "-"), 2u);
  EXPECT_EQ(CountOccurrences("2000-01-01", ""), 0u);
  EXPECT_EQ(CountOccurrences("a--b--c", "--"), 2u);
  EXPECT_EQ(CountOccurrences("---", "--"), 1u);
}

TEST(KeepSignedDigits, KeepsOneSignOfEachKindBeforeTheFirstDigit) {
  const TextCase allowed[] = {{"-5x7", "", "-57"}, {"7-", "", "7"},   {"+-12", "", "+-12"}, {"-+12", "", "-+12"},
                              {"1-2", "", "12"},   {"a 12b", "", "12"}, {"++--1", "", "+-1"}, {"1+2", "", "12"}};
  for (const auto& c : allowed) {
    std::string text = c.input;
    KeepSignedDigits(text, Minus::Allowed);
    EXPECT_EQ(text, c.expected) << c.input;
  }
  std::string text = "-5x7";
  KeepSignedDigits(text, Minus::NotAllowed);
  EXPECT_EQ(text, "57");
}

TEST(IsDigitsOnly, FollowsItsAllowances) {
  struct Case {
    const char* text;
    bool sign, commas, expected;
  };
  const Case cases[] = {
      {" 123 ", false, false, true}, {"1,234", false, true, true}, {"1,234", false, false, false}, {"+5", true, false, true},
      {"+5", false, false, false},   {"", true, true, false},      {"   ", true, true, false},     {"-", true, false, true},
      {"--5", true, false, false},   {"5-", true, false, false},   {"1 2", false, false, false},  {"12\t", false, false, false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsDigitsOnly(c.text, c.sign ? LeadingSign::Allowed : LeadingSign::NotAllowed,
                                                  c.commas ? Commas::Allowed : Commas::NotAllowed),
                                     c.expected) << "'" << c.text << "'";
}

TEST(IsNumberKeyAllowed, LetsEditingKeysThroughAndLimitsLength) {
  EXPECT_FALSE(IsNumberKeyAllowed('7', 18, 18, ","));
  for (int16_t key : {kKeyCopy, kKeyBackspace, kKeyPaste, kKeyCut}) EXPECT_TRUE(IsNumberKeyAllowed(key, 18, 18, ","));
  EXPECT_TRUE(IsNumberKeyAllowed('-', 3, 18, ""));
  EXPECT_TRUE(IsNumberKeyAllowed(',', 3, 18, ","));
  EXPECT_FALSE(IsNumberKeyAllowed(',', 3, 18, "."));
  for (int16_t key : {int16_t{'a'}, int16_t{0}, int16_t{-1}, int16_t{0x7fff}, int16_t{'1' + 256}}) {
    EXPECT_FALSE(IsNumberKeyAllowed(key, 3, 18, ",")) << key;
  }
}

}  // namespace
}  // namespace qv
