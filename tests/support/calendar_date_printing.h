#pragma once
// How the added calendars' dates and Maya counts read in a failed check's message.
#include <ostream>

#include "calendar/calendar_date.h"
#include "calendar/mayan.h"

namespace qv {

inline void PrintTo(const CalendarDate& d, std::ostream* out) { *out << d.year << "-" << d.month << "-" << d.day; }
inline void PrintTo(const LongCount& c, std::ostream* out) {
  *out << c.baktun << "." << c.katun << "." << c.tun << "." << c.uinal << "." << c.kin;
}
inline void PrintTo(const Tzolkin& t, std::ostream* out) { *out << t.number << " " << t.name; }
inline void PrintTo(const Haab& h, std::ostream* out) { *out << h.day << " " << h.month; }

}  // namespace qv
