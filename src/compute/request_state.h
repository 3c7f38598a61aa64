#pragma once
// The state of one request in progress, shared by the dispatchers and the reports.
#include <string>
#include <string_view>

#include "compute/compute_engine.h"
#include "text/text_builder.h"

namespace qv {

struct ComputeEngine::Request {
  const RequestOptions& options;
  DateTextOptions text_options;
  Outcome& outcome;

  // The box texts are already in place; everything else starts afresh. The line goes onto the
  // end of `line_target` (the outcome's output, or a batch's buffer).
  Request(const RequestOptions& request_options, Outcome& engine_outcome, std::string& line_target)
      : options(request_options), text_options(request_options.TextOptions()), outcome(engine_outcome),
        line_out(line_target) {
    outcome.step = RequestStep::Computed;
    outcome.output.clear();  // keeps its capacity
    outcome.message.reset();
    outcome.switch_to_days = false;
    outcome.validated = true;
  }
  // The line is put together on the stack and handed to the output once, when the request
  // ends (as the dispatcher returns the outcome): one string append per request, however many
  // sentence parts and pieces the line has.
  ~Request() { line.AppendTo(line_out); }
  Request(const Request&) = delete;
  Request& operator=(const Request&) = delete;

  template <typename... Pieces>
  void Append(const Pieces&... pieces) {
    (line.Add(std::string_view(pieces)), ...);
  }

 private:
  std::string& line_out;
  LineBuilder line;
};

}  // namespace qv
