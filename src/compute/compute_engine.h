#pragma once
// The request engine: decides from the filled boxes what is asked, validates and normalises
// each input, computes through day numbers and writes the result sentence. It holds the
// working values of a request; it shows nothing and reads no clock except for today's date.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/date_fields.h"
#include "compute/request.h"
#include "lang/program_text.h"
#include "lang/request_messages.h"
#include "text/date_dispatch.h"

namespace qv {

class ComputeEngine {
 public:
  // `texts` supplies the numbered program texts of the months-mode refusals.
  explicit ComputeEngine(const ProgramTextStore& texts) : texts_(texts) {}

  // One Compute press, for the window and for each line of a batch alike: trims the three box
  // texts, then decides what they ask. All empty: today's date in the first calendar goes into
  // the first box and is converted. Only the difference: nothing to do. All three: the caller
  // must clear one box first (RequestStep::AskWhichBoxToClear). Anything else runs the request:
  // days mode, or a conversion, through the days dispatcher; months mode with a difference
  // through the months dispatcher.
  // The outcome views the texts given where a box keeps its text, and the engine's buffers
  // elsewhere (see Outcome). The buffers are reused, so that a long batch allocates nothing per
  // request.
  const Outcome& Compute(std::string_view first, std::string_view difference, std::string_view second,
                         const RequestOptions& options);

  // Working values, kept between requests.
  DateFields FirstDateFields;
  DateFields SecondDateFields;
  int32_t lngDateDiff = 0;

 private:
  struct Request;  // the state of one request in progress

  const Outcome& Route(const RequestOptions& options);
  const Outcome& DispatchDays(Request& request);
  const Outcome& DispatchMonths(Request& request);
  const Outcome& RefuseMonths(Request& request, std::initializer_list<int16_t> program_texts);
  const Outcome& StopBeforeDispatch(RequestStep step, std::optional<Message> message);
  bool ValidateFirstDate(Request& request);
  bool ValidateSecondDate(Request& request);
  bool ValidateDate(Request& request, DateBox box);
  bool ValidateDateDiff(Request& request);
  // The difference box read as ParseDayNumberText reads it; under strict reading a text it
  // reads only by leaving characters out is refused (false) with the misread message.
  bool ReadDifference(Request& request, int32_t& number, int16_t& result);
  void RefuseMisread(Request& request, InputBox box);
  // The result date for programs: written in `written_in`'s box (and calendar).
  void NoteResultDate(Request& request, DateBox written_in, int32_t day_number, int16_t day_of_week);
  // Stores a computed value, or takes the overflow path when there is none.
  bool StoreOrOverflow(Request& request, std::optional<int32_t> value, int32_t& target);
  bool RunCountDaysBetween(Request& request);
  bool RunSecondDateFromFirst(Request& request);
  bool RunFirstDateFromSecond(Request& request);
  bool HolidayYearsKnown(Request& request, int32_t from_day, int32_t to_day, std::optional<DateBox> given);
  void OpenLine(Request& request, DateBox given, DifferenceUnit unit, int32_t number);
  // After the given date: " plus 10 days" (the sign word, the difference box, the unit).
  void AppendDifference(Request& request, DateBox given, DifferenceUnit unit, int32_t number);
  void DisplayFirstDate(Request& request);
  void DisplaySecondDate(Request& request);
  void DisplayResultDate(Request& request, DateBox box);
  void DisplayDateDiff(Request& request);
  void AppendDayOfWeek(Request& request, const DateFields& date);
  void AppendVerboseNotes(Request& request);
  // Verbose only: the day in the named form of an added calendar, " (1 Tishri 5785 AM)", for the
  // result's calendar, or for a conversion the given date's.
  void AppendCalendarNote(Request& request, DateBox result_box, int32_t day_number);
  // With holidays in force: how many the working days of the sentence left out, and whose.
  void AppendHolidaysLeftOut(Request& request);
  void AppendProvisional(Request& request);
  void OverflowPath(Request& request);
  // As OverflowPath, for a result outside an added calendar's range: the message names the range.
  void OutsideCalendarPath(Request& request, CalendarCode calendar);
  // A given date that an added calendar does not convert: refused, the message naming the range.
  void RefuseOutsideCalendar(Request& request, CalendarCode calendar);
  void ShowRequestError(Request& request, int number);
  void CloseLine(Request& request);
  // Writes `day_number` in the box's calendar into the box as `style` says (a box holds no
  // calendar suffix); false, and the box unchanged, when there is no such text (an ordinal date
  // out of range).
  bool WriteBox(Request& request, DateBox box, int32_t day_number, WriteStyle style, DateFields* record);
  TextBuilder& BoxBuffer(DateBox box) { return box == DateBox::First ? first_box_ : second_box_; }
  DateFields& FieldsOf(DateBox box) { return box == DateBox::First ? FirstDateFields : SecondDateFields; }
  std::string_view BoxText(DateBox box) const { return box == DateBox::First ? outcome_.boxes.first : outcome_.boxes.second; }
  // Gives a date box its new text (its normal form, or a result), kept in the box's buffer.
  void SetBox(DateBox box, std::string_view text);
  // What a result line puts after a box's date: " " and the code of the calendar it is written in.
  static std::string_view CalendarSuffixOf(const Request& request, DateBox box);

  // The text options of `options`, kept from one request to the next and made afresh only when
  // they change: a batch asks with the same options line after line, and its readers and writers
  // then find them where they were, not in a copy just written.
  const DateTextOptions& TextOptionsOf(const RequestOptions& options);

  const ProgramTextStore& texts_;
  DateTextOptions text_options_;
  Outcome outcome_;
  // What the outcome's texts view when the request wrote them.
  TextBuilder first_box_, second_box_;
  std::string difference_box_;
  std::string refusal_;
  std::vector<ProvisionalSourceYears> provisional_;
  LineBuilder line_;
  bool no_date_diff_and_same_cal_ = false;
};

// Unit words: lower-cased in every language but German.
std::string DayOrDays(int64_t number_of_days, Language language);
std::string MonthOrMonths(int64_t number_of_months, Language language);

// Today's date written for a date box in `code` (what the Today button writes).
std::string TodayBoxText(CalendarCode code, const RequestOptions& options);

}  // namespace qv
