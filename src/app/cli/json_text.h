#pragma once
// UTF-8 checks and JSON strings for the command-line program's answers. The answers of
// --output=json must be valid JSON whatever bytes a request holds, so every string goes
// through one escaper.
#include <cstddef>
#include <string>
#include <string_view>

namespace qv::cli {

// The length (2 … 4) of the well-formed UTF-8 character of several bytes that starts at `at`,
// or 0 when none starts there (a lone continuation byte, a cut or overlong sequence, a
// surrogate, a code point above U+10FFFF). An ASCII byte is not counted here: 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// Appends `text` as a JSON string, quotes included: '"' and '\' escaped, control characters
// as \b \f \n \r \t or \u00XX, well-formed UTF-8 as it stands, and each byte that belongs to
// no well-formed character as U+FFFD (the replacement character), so the result is always
// valid JSON in valid UTF-8.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace qv::cli
