#include "calendar/digit_run.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace qv {
namespace {

// The slow, obvious readings the block-wise ones are held against.
std::optional<int64_t> PlainValue(const std::string& text) {
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value >= kDigitRunSaturated ? kDigitRunSaturated : value * 10 + (c - '0');
  }
  return value < kDigitRunSaturated ? value : kDigitRunSaturated;
}

std::vector<std::size_t> PlainNonDigits(const std::string& text) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') at.push_back(i);
  }
  return at;
}

// Texts of every length up to 40 from digits and the characters next to them in the code
// table (and a byte above 127): every place of a block, every partial last block.
TEST(DigitRun, ValuesAndNonDigitsOfEveryLength) {
  const std::string alphabet = "0123456789/:- \xff";
  std::mt19937 random(13);
  for (std::size_t length = 0; length <= 40; ++length) {
    for (int round = 0; round < 300; ++round) {
      std::string text;
      const bool digits_only = round % 2 == 0;
      for (std::size_t i = 0; i < length; ++i) text.push_back(alphabet[random() % (digits_only ? 10 : alphabet.size())]);
      ASSERT_EQ(DigitRunValue(text), PlainValue(text)) << text;
      std::vector<std::size_t> found;
      ForEachNonDigit(text, [&found](std::size_t at) { found.push_back(at); });
      ASSERT_EQ(found, PlainNonDigits(text)) << text;
    }
  }
}

TEST(DigitRun, LongRunsSaturate) {
  EXPECT_EQ(DigitRunValue("00012"), 12);
  EXPECT_EQ(DigitRunValue("2147483647"), 2147483647);
  EXPECT_EQ(DigitRunValue("999999999999999"), 999'999'999'999'999);
  EXPECT_EQ(DigitRunValue("99999999999999999999999999"), kDigitRunSaturated);
  EXPECT_EQ(DigitRunValue("12345-"), std::nullopt);
  EXPECT_EQ(DigitRunValue("+12345"), std::nullopt);
  EXPECT_EQ(DigitRunValue(""), std::nullopt);
}

}  // namespace
}  // namespace qv
