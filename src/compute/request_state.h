#pragma once
// The state of one request in progress, shared by the dispatchers and the reports.
#include "compute/compute_engine.h"

namespace qv {

struct ComputeEngine::Request {
  const RequestOptions& options;
  DateTextOptions text_options;
  Outcome outcome;

  Request(const BoxTexts& boxes, const RequestOptions& request_options)
      : options(request_options), text_options(request_options.TextOptions()) {
    outcome.boxes = boxes;
  }
  void Append(std::string_view text) { outcome.output.append(text); }
};

}  // namespace qv
