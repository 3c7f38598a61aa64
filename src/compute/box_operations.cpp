#include "compute/box_operations.h"

#include <array>
#include <utility>

#include "calendar/clock.h"
#include "lang/added_calendar_texts.h"
#include "lang/captions.h"
#include "lang/general_texts.h"
#include "lang/request_messages.h"
#include "text/date_readers.h"
#include "text/string_utils.h"

namespace qv {
namespace {

// Program texts of an undone calendar choice: the title, and the text for each box.
constexpr int16_t kCalendarUndoneTitle = 150;
constexpr int16_t kFirstCalendarUndone = 156;
constexpr int16_t kSecondCalendarUndone = 157;

Message InputError(int message_number, Language language) {
  return Message{RequestMessage(language, message_number), ErrorCaption(language), MessageKind::InputError};
}

// A day that an added calendar does not convert, or a calendar not yet available.
Message RangeError(CalendarCode calendar, Language language) {
  return Message{CalendarRangeMessage(calendar, language), ErrorCaption(language), MessageKind::InputError};
}

// The message for a box text that could not be read: out of range (-1) or not valid.
int UnreadMessage(DateBox box, int16_t read_result) {
  if (box == DateBox::First) return read_result == -1 ? reqmsg::FirstDateOutOfRange : reqmsg::FirstDateNotValid;
  return read_result == -1 ? reqmsg::SecondDateOutOfRange : reqmsg::SecondDateNotValid;
}

// Text in `calendar` for a box: lenient JDN reading, as everywhere outside a computation.
DateReading ReadBox(std::string_view text, CalendarCode calendar, const DateTextOptions& options) {
  return ReadDateInCalendar(text, calendar, options, JdnReading::Lenient);
}

// The cycle of the today panel, in click order.
constexpr std::array<CalendarCode, 7> kTodayCycle{cal::CE, cal::ISO, cal::JC, cal::ORD, cal::LPM, cal::LPW, cal::JDN};

// The described cycle followed by the added calendars the user chose: position `i` of it.
CalendarCode CycleAt(std::size_t i, std::span<const CalendarCode> more) {
  return i < kTodayCycle.size() ? kTodayCycle[i] : more[i - kTodayCycle.size()];
}

// Where `calendar` stands in that cycle; nullopt when it is not part of it.
std::optional<std::size_t> CyclePosition(CalendarCode calendar, std::span<const CalendarCode> more) {
  for (std::size_t i = 0; i < kTodayCycle.size(); ++i) {
    if (kTodayCycle[i] == calendar) return i;
  }
  for (std::size_t i = 0; i < more.size(); ++i) {
    if (IsAddedCalendar(more[i]) && more[i] == calendar) return kTodayCycle.size() + i;
  }
  return std::nullopt;
}

}  // namespace

BoxConversion ConvertBoxDate(std::string_view text, CalendarCode old_calendar, CalendarCode new_calendar,
                             DateBox box, const DateTextOptions& options, const ProgramTextStore& texts,
                             Language language) {
  BoxConversion conversion;
  if (text.empty() || old_calendar == new_calendar) return conversion;
  const DateReading reading = ReadBox(text, old_calendar, options);
  if (reading.result != 1) {
    const int16_t number = box == DateBox::First ? kFirstCalendarUndone : kSecondCalendarUndone;
    conversion.message = Message{GetProgramText(texts, number, language),
                                 GetProgramText(texts, kCalendarUndoneTitle, language), MessageKind::InputError};
    return conversion;
  }
  TextBuilder written;
  if (!WriteDayNumberInCalendar(written, reading.fields.DayNumber, new_calendar, options)) {
    // A day outside an added calendar's range is undone with the message that names the range;
    // an ordinal date outside years 1 to 9999, silently, as described.
    if (HasCalendarRangeMessage(new_calendar)) conversion.message = RangeError(new_calendar, language);
    return conversion;
  }
  conversion.converted = true;
  conversion.text = written.Text();
  return conversion;
}

BoxEdit MoveSecondDateToFirst(std::string_view second_text, CalendarCode second_calendar,
                              CalendarCode first_calendar, const DateTextOptions& options, Language language) {
  BoxEdit edit;
  const DateReading reading = ReadBox(second_text, second_calendar, options);
  if (reading.result != 1) {
    edit.message = InputError(UnreadMessage(DateBox::Second, reading.result), language);
    return edit;
  }
  TextBuilder written;
  if (!WriteDayNumberInCalendar(written, reading.fields.DayNumber, first_calendar, options,
                                WriteStyle{.check_ordinal_range = false})) {
    edit.message = RangeError(first_calendar, language);  // a day the first box's calendar does not convert
    return edit;
  }
  edit.replace_text = true;
  edit.text = written.Text();
  return edit;
}

BoxEdit ShiftBoxDate(DateBox box, std::string_view text, CalendarCode calendar, int64_t days,
                     const DateTextOptions& options, Language language) {
  BoxEdit edit;
  const DateReading reading = ReadBox(text, calendar, options);
  if (reading.result != 1) {
    edit.message = InputError(UnreadMessage(box, reading.result), language);
    return edit;
  }
  // Both terms are far inside 64 bits: a day number is at most 2.1e9, a step is what a click
  // or a key makes of it.
  const int64_t moved = int64_t{reading.fields.DayNumber} + days;
  TextBuilder written;
  if (!IsWithinDayNumberLimit(moved) ||
      !WriteDayNumberInCalendar(written, static_cast<int32_t>(moved), calendar, options)) {
    edit.output.append(TextOf(GeneralText::OutOfRange, language)).append(kLineBreak);
    edit.message = HasCalendarRangeMessage(calendar) ? RangeError(calendar, language)
                                                      : InputError(reqmsg::ResultOutOfRange, language);
    return edit;
  }
  edit.replace_text = true;
  edit.text = written.Text();
  return edit;
}

std::string RestyleForHyphen(std::string_view input, Hyphen style) {
  const bool hyphen = style == Hyphen::With;
  std::string text(TrimBlanks(input));
  const int16_t ordinal = OrdinalTextStyle(text);
  if (hyphen && ordinal == 1) {
    text.insert(4, 1, '-');
  } else if (!hyphen && ordinal == -1) {
    text.erase(4, 1);
  }
  const int16_t iso = IsoTextStyle(text);
  if (hyphen && iso == 1) {
    std::string with;
    for (char c : text) {
      if (c == 'W') with += '-';
      with += c;
    }
    with.insert(with.size() - 1, 1, '-');
    text = std::move(with);
  } else if (!hyphen && iso == -1) {
    // Every hyphen goes except a leading one, which is the sign of a negative year.
    std::string without;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '-' || i == 0) without += text[i];
    }
    text = std::move(without);
  }
  return text;
}

std::string TodayPhrase(Language language, int dayOfWeek) {
  std::string phrase(TextOf(GeneralText::TodayIs, language));
  return phrase.append(" ").append(WeekdayName(language, dayOfWeek)).append(",");
}

TodayPanelTexts TodayPanel(CalendarCode calendar, Language language, const DateTextOptions& options) {
  if (!IsUserCalendar(calendar) && !IsAddedCalendar(calendar)) calendar = cal::CE;
  TodayPanelTexts panel;
  panel.today_phrase = TodayPhrase(language, TodayDayOfWeek(calendar));
  panel.week_phrase = TextOf(GeneralText::AWeekFromTodayIs, language);
  // German says "der 31.12.2012 CE", but not before a week date or a day number; an added
  // calendar's date has day, month and year as CE and JC have, all but the Mayan long count.
  const bool dated = calendar == cal::CE || calendar == cal::JC || (IsAddedCalendar(calendar) && calendar != cal::MAY);
  const bool article = language == Language::German && dated;
  const std::string prefix = article ? "der " : "";
  // The ordinal writer never names its calendar; today lies in years 1 to 9999 in any case.
  const WriteStyle style{.suffix = true, .check_ordinal_range = false};
  const int32_t today = TodayDayNumber();
  for (const auto& [day, date] : {std::pair{today, &panel.today_date}, std::pair{today + 7, &panel.week_date}}) {
    TextBuilder written;
    written.Add(prefix);
    WriteDayNumberInCalendar(written, day, calendar, options, style);
    *date = written.Text();
  }
  return panel;
}

CalendarCode NextTodayCalendar(CalendarCode calendar, std::span<const CalendarCode> more) {
  const std::optional<std::size_t> at = CyclePosition(calendar, more);
  if (!at) return calendar;
  // A code of `more` that is no added calendar is passed over, never shown.
  const std::size_t length = kTodayCycle.size() + more.size();
  for (std::size_t step = 1; step <= length; ++step) {
    const CalendarCode next = CycleAt((*at + step) % length, more);
    if (IsUserCalendar(next) || IsAddedCalendar(next)) return next;
  }
  return calendar;
}

CalendarCode PreviousTodayCalendar(CalendarCode calendar, std::span<const CalendarCode> more) {
  const std::optional<std::size_t> at = CyclePosition(calendar, more);
  if (!at) return calendar;
  const std::size_t length = kTodayCycle.size() + more.size();
  for (std::size_t step = 1; step <= length; ++step) {
    const CalendarCode previous = CycleAt((*at + length - step) % length, more);
    if (IsUserCalendar(previous) || IsAddedCalendar(previous)) return previous;
  }
  return calendar;
}

std::string SeparatorSample(DateFormat format, std::string_view separator) {
  const std::string s(separator);
  if (format == kFormatDMY) return "31" + s + "12" + s + "2012";
  if (format == kFormatMDY) return "12" + s + "31" + s + "2012";
  return "2012" + s + "12" + s + "31";
}

}  // namespace qv
