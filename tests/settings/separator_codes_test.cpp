// The separator codes both kept files store and the window's options carry as ids.
#include "settings/separator_codes.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(SeparatorCodes, EverySeparatorComesBackAndNothingElseIsOne) {
  for (const std::string_view separator : {"-", "/", "."}) {
    EXPECT_EQ(DateSeparatorOfCode(SeparatorCode(separator)), separator);
  }
  for (const std::string_view separator : {",", ".", ""}) {
    EXPECT_EQ(ThousandsSeparatorOfCode(SeparatorCode(separator)), separator);
  }
  EXPECT_EQ(SeparatorCode(""), 0);
  EXPECT_EQ(SeparatorCode("\xE9"), 0xE9) << "a byte above 127 is no negative code";
  for (const int32_t code : {0, 44, 32, 120, -1, 256, 0x2D00})  // none, ',', ' ', 'x', …
    EXPECT_FALSE(DateSeparatorOfCode(code)) << code;
  for (const int32_t code : {45, 47, 32, -1, 256})  // '-', '/', ' ', …
    EXPECT_FALSE(ThousandsSeparatorOfCode(code)) << code;
}

}  // namespace
}  // namespace qv
