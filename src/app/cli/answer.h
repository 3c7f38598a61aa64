#pragma once
// One request of the command-line program: the three box texts in, one line out.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/cli/json_text.h"
#include "compute/compute_engine.h"

namespace qv::cli {

// What the program prints for a request (--output).
enum class OutputMode : uint8_t {
  Sentence,  // the sentence the window adds to its output
  Value,     // only the result: the date as its box's calendar writes it, or the number of days
  Json,      // one JSON object on one line
};

struct Answer {
  std::string diagnostic;     // the message for standard error on one line (the caller puts the
                              // program's name before it), or empty
  bool line_is_error = false; // the line is "error: " and the message (the request gave no line)
  bool refused = false;       // an input or the result was refused
};

// The program's name, which starts every line it writes to standard error.
inline constexpr std::string_view kDiagnosticPrefix = "quorvan-cli: ";

// Runs one request as a Compute press with these box texts would: empty boxes everywhere
// mean today in the first box; all three filled is refused with the clear-one-box message, a
// difference without a date with the date-missing message.
// The answer line (what standard output gets, without its line feed) goes onto the end of `out`:
// in `mode`'s form, and for a refusal "error: " and the message (in JSON an object that holds
// it). `answer` is overwritten, its buffers reused from one request to the next.
// `known_text`: the caller found the texts to be well-formed UTF-8 already (a batch line checked
// as a whole: a tab never stands inside a character, so each of its fields is text too).
void AnswerRequest(ComputeEngine& engine, const BoxViews& boxes, const RequestOptions& options, OutputMode mode,
                   std::string& out, Answer& answer, bool known_text = false);

// A batch line that fills no box: an empty line, so that the answers stay in step with the
// lines (in JSON an object without a kind).
void AnswerBlankLine(const BoxViews& boxes, OutputMode mode, std::string& out);

// A request the program refuses before the engine sees it (a batch line of too many fields).
void AnswerRefusal(const BoxViews& boxes, std::string_view message, OutputMode mode, std::string& out,
                   Answer& answer);

}  // namespace qv::cli
