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

// UTF-16 units of UTF-8 bytes made of whole characters (what Qt counts positions in): one per
// character, two for one of four bytes.
std::size_t Utf16Units(std::string_view utf8);
// The byte offset inside `utf8` (whole characters) at which `units` UTF-16 units have passed;
// the size of `utf8` when it holds fewer. Never inside a character: a count that ends between
// the two units of a character of four bytes gives that character's start.
std::size_t ByteOfUtf16(std::string_view utf8, std::size_t units);

}  // namespace qv
