#include "calendar/calendar_codes.h"

namespace qv {

const DateTables& InitDateTables() {
  static const DateTables tables;
  return tables;
}

std::string_view CalendarTextCode(CalendarCode code) {
  if (code < 0 || code >= cal::kCount) return {};
  return InitDateTables().TextCodes[static_cast<std::size_t>(code)];
}

CalendarCode CalendarCodeFromText(std::string_view text) {
  for (CalendarCode code = 0; code < cal::kCount; ++code) {
    const std::string_view candidate = CalendarTextCode(code);
    if (candidate.size() != text.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < text.size() && same; ++i) {
      const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
      same = c == candidate[i];
    }
    if (same) return code;
  }
  return -1;
}

bool CalendarLetterForCode(CalendarCode code, DateFields& date) {
  switch (code) {
    case cal::CE:
    case cal::ORD: date.Calendar = kLetterGregorian; return true;
    case cal::JC: date.Calendar = kLetterJulian; return true;
    case cal::AN: date.Calendar = kLetterAnnusNovus; return true;
    case cal::ISO: date.Calendar = kLetterIso; return true;
    case cal::TLW: date.Calendar = kLetterTarvell; return true;
    default: return false;
  }
}

int32_t ReaderLetterForCode(CalendarCode code) {
  switch (code) {
    case cal::ARC: return kLetterArc;
    case cal::JC: return kLetterJulian;
    case cal::AN: return kLetterAnnusNovus;
    case cal::ISO: return kLetterIso;
    case cal::TLW: return kLetterTarvell;
    default: return kLetterGregorian;
  }
}

}  // namespace qv
