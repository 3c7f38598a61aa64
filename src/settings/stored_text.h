#pragma once
// The four box texts of the settings file as bytes on disk and as the UTF-8 the window shows.
//
// The file format was a single-byte text (Windows code page 1252) before this program wrote
// UTF-8, and a file may still hold such bytes: written by that program, or edited by hand. A
// text that is valid UTF-8 is read as UTF-8; any other text is read as Windows-1252, one
// character per byte, and remembers that, so that the next Quit writes the same bytes back.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/utf8.h"  // IsValidUtf8: the text read as UTF-8 is exactly the well-formed one

namespace qv {

enum class TextEncoding : int16_t { Utf8, Windows1252 };

// Each byte as its Windows-1252 character, in UTF-8. The five bytes that code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number,
// so that every byte has a character and the way back is exact.
std::string Windows1252ToUtf8(std::string_view bytes);

// The way back: nothing when a character has no byte in Windows-1252 (or the text is not UTF-8).
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);

struct DecodedText {
  std::string utf8;
  TextEncoding encoding = TextEncoding::Utf8;
};

// A text as read from the file: UTF-8 when it is UTF-8, else Windows-1252.
DecodedText DecodeStoredText(std::string bytes);

// A text as Quit writes it: in the encoding it was read in, or in UTF-8 when it was UTF-8 or
// now holds a character that Windows-1252 cannot write.
std::string EncodeStoredText(std::string utf8, TextEncoding encoding);

}  // namespace qv
