#pragma once
// The state of one request in progress, shared by the dispatchers and the reports.
#include <string>
#include <string_view>

#include "compute/compute_engine.h"
#include "compute/work_calendar.h"
#include "text/date_dispatch.h"
#include "text/date_writers.h"
#include "text/text_builder.h"

namespace qv {

struct ComputeEngine::Request {
  const RequestOptions& options;
  const DateTextOptions& text_options;  // the engine's, made from `options`
  // The calendar that counts and adds working days; null for the described rules (weekend days
  // counted, or Monday to Friday without holidays).
  const WorkCalendar* work_calendar;
  Outcome& outcome;

  // The box texts are already in place; everything else starts afresh. The line is put
  // together in `line_buffer` and shown as the outcome's output when the request ends (as the
  // dispatcher returns the outcome).
  Request(const RequestOptions& request_options, const DateTextOptions& request_text_options, Outcome& engine_outcome,
          LineBuilder& line_buffer)
      : options(request_options),
        text_options(request_text_options),
        work_calendar(request_options.include_weekends ? nullptr : request_options.work_calendar.get()),
        outcome(engine_outcome),
        line(line_buffer) {
    outcome.step = RequestStep::Computed;
    outcome.message.reset();
    outcome.switch_to_days = false;
    outcome.validated = true;
    outcome.result = ResultValues{};
    outcome.refusal = {};
    outcome.provisional = {};
    line.Clear();
  }
  ~Request() { outcome.output = line.View(); }
  Request(const Request&) = delete;
  Request& operator=(const Request&) = delete;

  DayCountOptions CountOptions() const {
    return DayCountOptions{.include_weekends = options.include_weekends, .include_first_date = options.include_first_date};
  }

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

// Here rather than with the dispatchers: the reports ask it too, and every result line twice.
[[gnu::always_inline]] inline std::string_view ComputeEngine::CalendarSuffixOf(const Request& request, DateBox box) {
  return CalendarSuffix(WrittenCalendar(box == DateBox::First ? request.options.first_calendar
                                                              : request.options.second_calendar));
}

}  // namespace qv
