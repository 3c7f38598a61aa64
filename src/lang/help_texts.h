#pragma once
// The help window's text: what the program does, how each calendar is written and how to ask
// for a conversion, a difference or a sum. One text per interface language, paragraphs
// separated by an empty line; the German text has no paragraph on ordinal dates.
#include <cstdint>
#include <string>
#include <string_view>

#include "text/language.h"

namespace qv {

// Where the help text sends the reader for the whole manual, in each language. The program's
// own manual ships with it; a distributor may point these at a web site instead.
struct ManualAddresses {
  std::string_view english = "docs/manual-en.html";
  std::string_view german = "docs/manual-de.html";
};

// The help text in `language` (German for Language::German, English for every other code), with
// line feeds between lines.
std::string BuildHelpText(Language language, const ManualAddresses& manual = {});

}  // namespace qv
