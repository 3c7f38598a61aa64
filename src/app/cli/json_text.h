#pragma once
// UTF-8 checks and JSON strings for the command-line program's answers. The answers of
// --output=json must be valid JSON whatever bytes a request holds, so every string goes
// through one escaper.
#include <cstddef>
#include <string>
#include <string_view>

#include "text/utf8.h"

namespace qv::cli {

// Appends `text` as a JSON string, quotes included: '"' and '\' escaped, control characters
// as \b \f \n \r \t or \u00XX, well-formed UTF-8 as it stands, and each byte that belongs to
// no well-formed character as U+FFFD (the replacement character), so the result is always
// valid JSON in valid UTF-8.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace qv::cli
