#include "calendar/digit_run.h"

#include <gtest/gtest.h>

#include <bit>
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
      for (std::size_t first = 0; first < text.size(); first += 8) {
        const std::size_t bytes = text.size() - first < 8 ? text.size() - first : 8;
        for (uint64_t bits = digit_run::NonDigitBits(digit_run::LoadBlock(text, first), bytes); bits != 0; bits &= bits - 1) {
          found.push_back(first + static_cast<std::size_t>(std::countr_zero(bits)) / 8);
        }
      }
      ASSERT_EQ(found, PlainNonDigits(text)) << text;
      // The '-' of each block, placed and counted.
      std::size_t minus_count = 0, plain_count = 0;
      for (std::size_t first = 0; first < text.size(); first += 8) {
        const std::size_t bytes = text.size() - first < 8 ? text.size() - first : 8;
        const uint64_t minus = digit_run::ByteBits(digit_run::LoadBlock(text, first), '-', bytes);
        minus_count += digit_run::CountBytes(minus);
        for (std::size_t i = 0; i < bytes; ++i) {
          ASSERT_EQ((minus >> (8 * i + 7)) & 1, text[first + i] == '-' ? 1u : 0u) << text << " at " << first + i;
        }
      }
      for (const char c : text) plain_count += c == '-' ? 1 : 0;
      ASSERT_EQ(minus_count, plain_count) << text;
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
