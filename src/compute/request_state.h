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

  // The box texts are already in place; everything else starts afresh. The line is put
  // together in `line_buffer` and shown as the outcome's output when the request ends (as the
  // dispatcher returns the outcome).
  Request(const RequestOptions& request_options, Outcome& engine_outcome, LineBuilder& line_buffer)
      : options(request_options), text_options(request_options.TextOptions()), outcome(engine_outcome),
        line(line_buffer) {
    outcome.step = RequestStep::Computed;
    outcome.message.reset();
    outcome.switch_to_days = false;
    outcome.validated = true;
    outcome.result = ResultValues{};
    line.Clear();
  }
  ~Request() { outcome.output = line.View(); }
  Request(const Request&) = delete;
  Request& operator=(const Request&) = delete;

  // The pieces go into room reserved for all of them at once: one size check for the lot.
  template <typename... Pieces>
  [[gnu::always_inline]] void Append(const Pieces&... pieces) {
    char* out = line.Reserve((std::string_view(pieces).size() + ...));
    ((out = put::Text(out, std::string_view(pieces))), ...);
    line.Commit(out);
  }

 private:
  LineBuilder& line;
};

}  // namespace qv
