#pragma once
// Captions built from the general texts by the language's own rules: unit words keep their
// capital only in German, the date-format options name the fields in order, the calendar options
// name the calendar (and, in the first group, its code).
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/calendar_codes.h"
#include "lang/general_texts.h"
#include "lang/program_text.h"

namespace qv {

// An entry as a unit word: "days", "months" in English, "Tage", "Monate" in German.
std::string UnitWord(GeneralText entry, Language language);

// The caption of a date-format option: "year month day", "Tag Monat Jahr", …
std::string DateFormatCaption(DateFormat format, Language language);

// The caption of a box's calendar option; with `with_code` the calendar's code follows in
// parentheses ("Julian Calendar date (JC)"), and the ordinal option shows its pattern instead
// ("Ordinal date (yyyy-ddd)", or "(yyyyddd)" without the hyphen).
enum class CaptionCode { Without, With };
std::string CalendarOptionCaption(CalendarCode calendar, CaptionCode code, Hyphen hyphen, Language language);

// The thousands-separator option "none": lower-cased in every language ("none", "keine").
std::string NoThousandsSeparatorCaption(Language language);

// The title of an error message box: the general text "Error" and "!" ("Error!", "Fehler!").
std::string ErrorCaption(Language language);

// How the today panel answers the keyboard, for assistive technology (our own text, beyond the
// described captions): Space or Enter move it to the next calendar, Shift with either back.
std::string TodayPanelKeysDescription(Language language);

// The question Reset asks: numbered texts 18 and 19 on two lines, an empty line, then text 20.
std::string ResetQuestion(const ProgramTextStore& texts, Language language);

// A caption without its "&" marker ("&&" stands for one "&"), for accessible names, window
// titles and messages.
std::string WithoutMnemonic(std::string_view text);

}  // namespace qv
