#include "text/text_builder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace qv {
namespace {

// Pieces of every length from 0 to 20 (the short copies have their own paths up to 16), up to
// and past the stack buffer, where the text moves on to the heap: the result is always the
// plain concatenation.
TEST(TextBuilder, PiecesOfEveryLengthAcrossTheBuffer) {
  const std::string source = "abcdefghijklmnopqrstuvwxyz";
  for (std::size_t first = 0; first <= 20; ++first) {
    for (std::size_t second = 0; second <= 20; ++second) {
      TextBuilder text;
      std::string expected;
      for (int round = 0; round < 6; ++round) {  // 6 × 40 characters at most: beyond 64
        text.Add(std::string_view(source).substr(0, first)).Add('-');
        text.Add(std::string_view(source).substr(26 - second));
        expected += source.substr(0, first) + "-" + source.substr(26 - second);
        ASSERT_EQ(text.Text(), expected) << first << " " << second << " round " << round;
      }
      EXPECT_EQ(text.View(), expected);
    }
  }
}

// Numbers with and without zero padding, at every fill of the buffer (the fast path needs four
// free bytes), and the values the fast path leaves to the general one.
TEST(TextBuilder, PaddedNumbersAtEveryFill) {
  const auto padded = [](int32_t value, std::size_t width) {
    std::string digits = std::to_string(value < 0 ? -int64_t{value} : int64_t{value});
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return (value < 0 ? "-" : "") + digits;
  };
  for (const int32_t value : {0, 7, 10, 99, 100, 305, 999, 1000, 2024, 9999, 10000, 123456, -1, -2024, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
    for (std::size_t width = 0; width <= 12; ++width) {
      for (std::size_t fill = 55; fill <= 64; ++fill) {
        TextBuilder text;
        text.Add(std::string(fill, '.')).Padded(value, width).Add('|');
        ASSERT_EQ(text.Text(), std::string(fill, '.') + padded(value, width) + "|") << value << " " << width << " " << fill;
      }
    }
  }
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// Reserved room takes what the writer puts there, at every fill of the buffer and beyond it,
// where the text has moved on to the heap; only the committed characters count.
TEST(TextBuilder, ReservedRoomAtEveryFill) {
  for (std::size_t fill = 0; fill <= 70; ++fill) {
    for (const std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{10}, std::size_t{64}, std::size_t{65}}) {
      TextBuilder text;
      for (std::size_t i = 0; i < fill; ++i) text.Add('a');
      char* out = text.Reserve(count);
      for (std::size_t i = 0; i < count / 2; ++i) *out++ = 'b';
      text.Commit(out);
      text.Add('c');
      ASSERT_EQ(text.Text(), std::string(fill, 'a') + std::string(count / 2, 'b') + "c") << fill << " " << count;
    }
  }
}

}  // namespace
}  // namespace qv
