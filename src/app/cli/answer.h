#pragma once
// One request of the command-line program: the three box texts in, one line out.
#include <string>
#include <string_view>

#include "compute/compute_engine.h"

namespace qv::cli {

struct Answer {
  std::string_view line;      // what standard output gets (without the line feed); valid
                              // until the next request on the same engine and answer
  std::string error_line;     // the buffer of an "error: …" answer line
  std::string diagnostic;     // the message for standard error on one line (the caller puts the
                              // program's name before it), or empty
  bool line_is_error = false; // the request appended nothing: `line` is "error: " and the message
  bool refused = false;       // an input or the result was refused
};

// The program's name, which starts every line it writes to standard error.
inline constexpr std::string_view kDiagnosticPrefix = "quorvan-cli: ";

// Runs one request as a Compute press with these box texts would: empty boxes everywhere
// mean today in the first box; all three filled is refused with the clear-one-box message.
// `answer` is overwritten; its buffers are reused from one request to the next.
void AnswerRequest(ComputeEngine& engine, std::string_view first, std::string_view difference,
                   std::string_view second, const RequestOptions& options, Answer& answer);

// True when `text` is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

}  // namespace qv::cli
