#pragma once
// Whether bytes are text: well-formed UTF-8, as every text the program reads must be (the command
// line's boxes and batch lines, the names in holiday files).
#include <string_view>

namespace qv {

// True when `text` is well-formed UTF-8: no stray continuation byte, no sequence cut short, no
// overlong form, no UTF-16 surrogate, nothing above U+10FFFF. Plain ASCII, the usual case, is
// checked eight bytes at a time.
bool IsValidUtf8(std::string_view text);

}  // namespace qv
