#pragma once
// One request of the command-line program: the three box texts in, one line out.
#include <string>
#include <string_view>

#include "compute/compute_engine.h"

namespace qv::cli {

struct Answer {
  std::string diagnostic;     // the message for standard error on one line (the caller puts the
                              // program's name before it), or empty
  bool line_is_error = false; // the line is "error: " and the message (the request gave no line)
  bool refused = false;       // an input or the result was refused
};

// The program's name, which starts every line it writes to standard error.
inline constexpr std::string_view kDiagnosticPrefix = "quorvan-cli: ";

// Runs one request as a Compute press with these box texts would: empty boxes everywhere
// mean today in the first box; all three filled is refused with the clear-one-box message.
// The answer line (what standard output gets, without its line feed) goes onto the end of `out`;
// `answer` is overwritten, its buffers reused from one request to the next.
// `known_text`: the caller found the texts to be well-formed UTF-8 already (a batch line checked
// as a whole: a tab never stands inside a character, so each of its fields is text too).
void AnswerRequest(ComputeEngine& engine, std::string_view first, std::string_view difference,
                   std::string_view second, const RequestOptions& options, std::string& out, Answer& answer,
                   bool known_text = false);

}  // namespace qv::cli
