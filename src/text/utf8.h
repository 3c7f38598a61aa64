#pragma once
// Whether bytes are text: well-formed UTF-8, as every text the program reads must be (the command
// line's boxes and batch lines, the names in holiday files).
#include <cstddef>
#include <string_view>

namespace qv {

// True when `text` is well-formed UTF-8: no stray continuation byte, no sequence cut short, no
// overlong form, no UTF-16 surrogate, nothing above U+10FFFF. Plain ASCII, the usual case, is
// checked eight bytes at a time.
bool IsValidUtf8(std::string_view text);

// The length (2 … 4) of the well-formed UTF-8 character of several bytes that starts at `at`,
// or 0 when none starts there (a lone continuation byte, a cut or overlong sequence, a
// surrogate, a code point above U+10FFFF). An ASCII byte is not counted here: 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

}  // namespace qv
