// The one check that bytes are text, which batch lines and holiday files both pass.
#include <gtest/gtest.h>

#include <vector>

#include <string>

#include "text/utf8.h"

namespace qv {
namespace {

TEST(Utf8, WellFormedOnly) {
  for (const std::string good : {"", "2000-01-01", "v\xc3\xa1lida \xe2\x82\xac \xf0\x9f\x98\x80", "\xc2\x80",
                                 "\xef\xbf\xbf", "\xf4\x8f\xbf\xbf"}) {
    EXPECT_TRUE(IsValidUtf8(good)) << good;
  }
  // A stray byte, a cut sequence, overlong forms, a surrogate, beyond U+10FFFF.
  for (const std::string bad : {"\xff", "\x80", "\xc3", "\xe2\x82", "\xc0\xaf", "\xc1\xbf", "\xe0\x9f\xbf",
                                "\xf0\x8f\xbf\xbf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xf5\x80\x80\x80",
                                "\xc3\x28"}) {
    EXPECT_FALSE(IsValidUtf8(bad)) << bad;
  }
  // ASCII is checked eight bytes at a time: a bad byte or a good sequence at every position
  // before, inside and after the whole words.
  for (std::size_t at = 0; at <= 20; ++at) {
    std::string text(20, 'a');
    text.insert(at, "\xff");
    EXPECT_FALSE(IsValidUtf8(text)) << at;
    text.replace(at, 1, "\xc3\xa1");
    EXPECT_TRUE(IsValidUtf8(text)) << at;
    text.erase(at + 1);  // the sequence cut after its first byte
    EXPECT_FALSE(IsValidUtf8(text)) << at;
  }
}

// Positions as Qt counts them (UTF-16 units) against bytes, checked against QString's own count
// restated: one unit a character, two for a character of four bytes; a count that ends inside
// such a character gives its start. Texts longer than eight bytes take the ASCII word path.
TEST(Utf16Positions, UnitsAndBytesAgreeCharacterByCharacter) {
  const std::string texts[] = {"", "plain ASCII, more than eight bytes", "M\xC3\xA4rz", "\xE2\x82\xAC 5",
                               "a\xF0\x9F\x93\x85" "b", "\xC2\xA0" "12345678\xF0\x9F\x98\x80" "90"};
  for (const std::string& text : texts) {
    std::vector<std::size_t> starts;  // byte of each unit's character start, and the end
    std::vector<std::size_t> unit_bytes;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t length = static_cast<unsigned char>(text[at]) < 0x80 ? 1 : Utf8SequenceLength(text, at);
      ASSERT_GT(length, 0U) << text;
      unit_bytes.push_back(at);
      if (length == 4) unit_bytes.push_back(at);  // the second unit of the pair: still its start
      at += length;
    }
    EXPECT_EQ(Utf16Units(text), unit_bytes.size()) << text;
    for (std::size_t units = 0; units <= unit_bytes.size() + 1; ++units) {
      const std::size_t expected = units < unit_bytes.size() ? unit_bytes[units] : text.size();
      EXPECT_EQ(ByteOfUtf16(text, units), expected) << text << " at " << units;
      if (units < unit_bytes.size() && (units == 0 || unit_bytes[units] != unit_bytes[units - 1])) {
        EXPECT_EQ(Utf16Units(std::string_view(text).substr(0, expected)), units) << text << " at " << units;
      }
    }
  }
}

}  // namespace
}  // namespace qv
