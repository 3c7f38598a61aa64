#include "app/cli/answer.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "lang/request_messages.h"

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

bool IsValidUtf8(std::string_view text) {
  // The usual all-ASCII text: eight bytes at a time, none with its top bit set.
  std::size_t i = 0;
  constexpr uint64_t kTopBits = 0x8080'8080'8080'8080;
  for (uint64_t word = 0; text.size() - i >= 8; i += 8) {
    std::memcpy(&word, text.data() + i, 8);
    if ((word & kTopBits) != 0) break;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    uint32_t code = 0;
    if (byte < 0x80) {
      ++i;
      continue;
    } else if ((byte & 0xE0) == 0xC0) {
      length = 2;
      code = byte & 0x1Fu;
    } else if ((byte & 0xF0) == 0xE0) {
      length = 3;
      code = byte & 0x0Fu;
    } else if ((byte & 0xF8) == 0xF0) {
      length = 4;
      code = byte & 0x07u;
    } else {
      return false;
    }
    if (text.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    // No overlong forms, no surrogates, nothing above U+10FFFF.
    if ((length == 2 && code < 0x80) || (length == 3 && code < 0x800) || (length == 4 && code < 0x10000) ||
        (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
      return false;
    }
    i += length;
  }
  return true;
}

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
