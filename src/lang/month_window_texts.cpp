#include "lang/month_window_texts.h"

namespace qv {
namespace {

// One sentence for one row: `row` names it ("first", "ersten").
std::string RunSentence(Language language, std::string_view row, const NeighbourRun& run) {
  const bool german = language == Language::German;
  const bool one = run.first_day == run.last_day;
  std::string days = std::to_string(run.first_day);
  if (!one) days.append(german ? " bis " : " to ").append(std::to_string(run.last_day));
  std::string text(german ? "In der " : "In the ");
  text.append(row).append(german ? " Zeile " : " row, ");
  if (german) {
    text.append(one ? "ist " : "sind ").append(days).append(one ? " ein Tag des Monats " : " Tage des Monats ");
  } else {
    text.append(days).append(one ? " is a day of " : " are days of ");
  }
  return text.append(run.month).append(".");
}

}  // namespace

std::string NeighbourDaysSentence(Language language, const std::optional<NeighbourRun>& before,
                                  const std::optional<NeighbourRun>& after) {
  const bool german = language == Language::German;
  std::string text;
  if (before) text = RunSentence(language, german ? "ersten" : "first", *before);
  if (after) {
    if (!text.empty()) text += ' ';
    text += RunSentence(language, german ? "letzten" : "last", *after);
  }
  return text;
}

}  // namespace qv
