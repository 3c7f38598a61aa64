#include "calendar/digit_run.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace qv {
namespace {

// The plain reading the short path must agree with: digits only, at least one.
std::optional<uint64_t> Reference(const std::string& text) {
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  return value;
}

// Every text of one to four characters from digits and the characters next to them in the
// code table (and a byte above 127): each digit position is checked, with its weight.
TEST(DigitRun, EveryShortTextAgreesWithThePlainReading) {
  const std::string alphabet = "0159/:- \xff";
  std::string text;
  const auto visit = [&](auto&& self, std::size_t length) -> void {
    if (text.size() == length) {
      ASSERT_EQ(DigitRunValue(text), Reference(text)) << text;
      return;
    }
    for (const char c : alphabet) {
      text.push_back(c);
      self(self, length);
      text.pop_back();
    }
  };
  for (std::size_t length = 1; length <= 4; ++length) visit(visit, length);
  EXPECT_EQ(DigitRunValue(""), std::nullopt);
}

TEST(DigitRun, LongRunsAndSaturation) {
  EXPECT_EQ(DigitRunValue("00012"), 12u);
  EXPECT_EQ(DigitRunValue("2147483647"), 2147483647u);
  EXPECT_EQ(DigitRunValue("18446744073709551615"), UINT64_MAX);
  EXPECT_EQ(DigitRunValue("99999999999999999999999999"), kDigitRunSaturated);
  EXPECT_EQ(DigitRunValue("12345-"), std::nullopt);
  EXPECT_EQ(DigitRunValue("+12345"), std::nullopt);
}

}  // namespace
}  // namespace qv
