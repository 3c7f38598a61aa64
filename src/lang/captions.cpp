#include "lang/captions.h"

#include "text/string_utils.h"

namespace qv {
namespace {

GeneralText CalendarName(CalendarCode calendar) {
  switch (calendar) {
    case cal::JC: return GeneralText::JulianCalendarDate;
    case cal::ISO: return GeneralText::IsoWeekDate;
    case cal::JDN: return GeneralText::JulianDayNumber;
    case cal::ORD: return GeneralText::OrdinalDate;
    case cal::LPM: return GeneralText::LeapWeekMonthDate;
    case cal::LPW: return GeneralText::LeapWeekWeekDate;
    default: return GeneralText::CommonEraDate;
  }
}

}  // namespace

std::string UnitWord(GeneralText entry, Language language) {
  const std::string_view word = TextOf(entry, language);
  return language == Language::German ? std::string(word) : LowerCase(word);
}

std::string DateFormatCaption(DateFormat format, Language language) {
  GeneralText order[3] = {GeneralText::Year, GeneralText::Month, GeneralText::Day};
  if (format == kFormatDMY) {
    order[0] = GeneralText::Day;
    order[2] = GeneralText::Year;
  } else if (format == kFormatMDY) {
    order[0] = GeneralText::Month;
    order[1] = GeneralText::Day;
    order[2] = GeneralText::Year;
  }
  return UnitWord(order[0], language) + " " + UnitWord(order[1], language) + " " + UnitWord(order[2], language);
}

std::string CalendarOptionCaption(CalendarCode calendar, CaptionCode code, Hyphen hyphen, Language language) {
  std::string caption(TextOf(CalendarName(calendar), language));
  if (code == CaptionCode::Without) return caption;
  caption += " (";
  if (calendar == cal::ORD) {
    caption += TextOf(hyphen == Hyphen::With ? GeneralText::OrdinalPatternWithHyphen : GeneralText::OrdinalPattern, language);
  } else {
    caption += CalendarTextCode(IsUserCalendar(calendar) ? calendar : cal::CE);
  }
  return caption + ")";
}

std::string NoThousandsSeparatorCaption(Language language) { return LowerCase(TextOf(GeneralText::None, language)); }

std::string ErrorCaption(Language language) { return std::string(TextOf(GeneralText::Error, language)) + "!"; }

std::string TodayPanelKeysDescription(Language language) {
  if (language == Language::German) {
    return "Leertaste oder Eingabetaste: nächster Kalender; "
           "Umschalt+Leertaste oder Umschalt+Eingabetaste: vorheriger Kalender";
  }
  return "Space or Enter: next calendar; Shift+Space or Shift+Enter: previous calendar";
}

std::string ResetQuestion(const ProgramTextStore& texts, Language language) {
  constexpr int16_t kFirstLine = 18;
  constexpr int16_t kSecondLine = 19;
  constexpr int16_t kQuestion = 20;
  std::string question = GetProgramText(texts, kFirstLine, language);
  question.append(kLineBreak).append(GetProgramText(texts, kSecondLine, language));
  question.append(kLineBreak).append(kLineBreak).append(GetProgramText(texts, kQuestion, language));
  return question;
}

std::string WithoutMnemonic(std::string_view text) {
  std::string plain;
  plain.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    // "&&" stands for one "&"; a single "&" only marks the next letter.
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') plain += '&', ++i;
      continue;
    }
    plain += text[i];
  }
  return plain;
}

}  // namespace qv
