// The one check that bytes are text, which batch lines and holiday files both pass.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace qv
