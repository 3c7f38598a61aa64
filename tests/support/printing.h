#pragma once
// How the option enumerations read in a failed check's message.
#include <ostream>

#include "calendar/calendar_codes.h"
#include "text/language.h"

namespace qv {

inline std::ostream& operator<<(std::ostream& out, Language language) { return out << static_cast<int>(language); }
inline std::ostream& operator<<(std::ostream& out, Hyphen hyphen) { return out << static_cast<int>(hyphen); }

}  // namespace qv
