#include "app/cli/answer.h"

#include <utility>

#include "lang/request_messages.h"
#include "text/utf8.h"

namespace qv::cli {
namespace {

// A message on one line after `prefix`, appended to `line`: each line break becomes one blank.
void AppendOneLine(std::string_view prefix, std::string_view message, std::string& line) {
  line.append(prefix);
  for (std::size_t i = 0; i < message.size(); ++i) {
    const char c = message[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < message.size() && message[i + 1] == '\n') ++i;
      line.push_back(' ');
    } else {
      line.push_back(c);
    }
  }
}

void ErrorAnswer(std::string_view message, std::string& out, Answer& answer) {
  AppendOneLine("error: ", message, out);
  AppendOneLine("", message, answer.diagnostic);
  answer.line_is_error = true;
  answer.refused = true;
}

}  // namespace

void AnswerRequest(ComputeEngine& engine, std::string_view first, std::string_view difference,
                   std::string_view second, const RequestOptions& options, std::string& out, Answer& answer,
                   bool known_text) {
  answer.diagnostic.clear();
  answer.line_is_error = false;
  answer.refused = false;
  const Language language = options.language;
  // A box whose bytes are not text is not a valid input of that box, checked in the order
  // the request reads the boxes.
  if (!known_text) {
    if (!IsValidUtf8(second)) return ErrorAnswer(RequestMessage(language, reqmsg::SecondDateNotValid), out, answer);
    if (!IsValidUtf8(difference)) return ErrorAnswer(RequestMessage(language, reqmsg::DifferenceNotValid), out, answer);
    if (!IsValidUtf8(first)) return ErrorAnswer(RequestMessage(language, reqmsg::FirstDateNotValid), out, answer);
  }

  const Outcome& outcome = engine.Compute(first, difference, second, options);
  // The window would ask which box to clear; a script cannot be asked, so it gets the reason.
  if (outcome.step == RequestStep::AskWhichBoxToClear) return ErrorAnswer(outcome.message->text, out, answer);
  // The line without the line breaks that end it in the output window.
  std::string_view line = outcome.output;
  if (line.ends_with(kLineBreak)) line.remove_suffix(kLineBreak.size());  // the closing line break
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  out.append(line);
  if (line.empty() && outcome.message) return ErrorAnswer(outcome.message->text, out, answer);
  if (outcome.message) {
    AppendOneLine("", outcome.message->text, answer.diagnostic);
    answer.refused = true;
  }
  answer.refused = answer.refused || !outcome.validated;
}

}  // namespace qv::cli
