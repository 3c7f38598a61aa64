#pragma once
// The two addresses behind the main window's link labels: the user manual in the interface
// language and the maker's page. Both are build-time settings (CMake cache variables
// QUORVAN_MANUAL_URL_EN, QUORVAN_MANUAL_URL_DE and QUORVAN_HOME_URL), so a distributor can point
// them at a web site. Left empty, the manual is the HTML manual shipped with the program, and the
// maker's page is the "about" section of the English manual.
#include <cstdint>
#include <string>
#include <string_view>

#include "text/language.h"

namespace qv {

// The manual for `language` (German for Language::German, English for every other code).
std::string ManualAddress(Language language);

// The maker's page.
std::string MakerAddress();

// The shipped manual as a file:// address, with "#fragment" when `fragment` is not empty. The
// folders tried, in this order, for <lang> = "de" (German) or "en":
//   <executableDir>/../share/doc/quorvan/manual/<lang>/index.html   (installed program)
//   <executableDir>/docs/manual/<lang>/index.html                    (next to the program)
//   <sourceDir>/docs/manual/<lang>/index.html                        (build tree; empty: skipped)
// A German manual that is missing everywhere gives the English one. When no manual exists, the
// first English candidate is returned, so opening it reports a missing file.
std::string LocalManualAddress(std::string_view executableDir, std::string_view sourceDir, Language language,
                               std::string_view fragment = {});

}  // namespace qv
