#pragma once
// The month window's words of our own: what a screen reader is told about the days of the months
// beside the grid's own. Not the described general table, so German is written with its umlauts.
#include <optional>
#include <string>
#include <string_view>

#include "text/language.h"

namespace qv {

// A run of days of a neighbouring month in the grid's first or last row: from `first_day` to
// `last_day` of `month` (its name).
struct NeighbourRun {
  int first_day = 1;
  int last_day = 1;
  std::string_view month;
};

// "In the first row, 26 to 31 are days of May. In the last row, 1 to 6 are days of July."; a
// single day: "In the first row, 31 is a day of May."; empty when neither run is given.
std::string NeighbourDaysSentence(Language language, const std::optional<NeighbourRun>& before,
                                  const std::optional<NeighbourRun>& after);

}  // namespace qv
