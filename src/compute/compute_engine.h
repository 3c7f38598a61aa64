#pragma once
// The request engine: decides from the filled boxes what is asked, validates and normalises
// each input, computes through day numbers and writes the result sentence. It holds the
// working values of a request; it shows nothing and reads no clock except for today's date.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/date_fields.h"
#include "compute/request.h"
#include "lang/program_text.h"
#include "text/date_dispatch.h"

namespace qv {

class ComputeEngine {
 public:
  // `texts` supplies the numbered program texts of the months-mode refusals.
  explicit ComputeEngine(const ProgramTextStore& texts) : texts_(texts) {}

  // One Compute press after the window's own filters: the three trimmed box texts and the
  // options. Days mode, or a conversion, goes to the days dispatcher; months mode with a
  // difference to the months dispatcher.
  // The outcome stays valid until the next request (its buffers are reused, so a long batch
  // allocates nothing per request once warmed up).
  const Outcome& Run(BoxTexts boxes, const RequestOptions& options);

  // One Compute press from the start: trims the three boxes, then decides what they ask.
  // All empty: today's date in the first calendar goes into the first box and is converted.
  // Only the difference: nothing to do. All three: the caller must clear one box first
  // (RequestStep::AskWhichBoxToClear). Anything else runs the request.
  const Outcome& Compute(BoxTexts boxes, const RequestOptions& options);
  // The same for texts the caller keeps (a batch line): copied into the outcome's reused
  // buffers, so that a request allocates nothing once the buffers are warm.
  const Outcome& Compute(std::string_view first, std::string_view difference, std::string_view second,
                         const RequestOptions& options);
  // The same for a batch line, whose texts are read where the caller keeps them and whose result
  // line (ended by CR LF, as in `output`) goes straight onto the end of `line_out`. The line is
  // all a batch wants: the dates go into the line alone, the outcome's output stays empty and
  // its boxes serve the request as scratch space. `line_out` must not hold the texts.
  const Outcome& ComputeLine(std::string_view first, std::string_view difference, std::string_view second,
                             const RequestOptions& options, std::string& line_out);

  const Outcome& DispatchDaysRequest(BoxTexts boxes, const RequestOptions& options);
  const Outcome& DispatchMonthsRequest(BoxTexts boxes, const RequestOptions& options);

  // Working values, kept between requests.
  DateFields FirstDateFields;
  DateFields SecondDateFields;
  int32_t lngDateDiff = 0;

 private:
  struct Request;  // the state of one request in progress
  enum class Box { First, Second };                // which date box a step works on
  enum class DifferenceUnit { Days, Months };      // what the number in the difference box counts

  // The texts a request reads from its boxes: views of the outcome's boxes, or of the caller's
  // texts for ComputeLine. Once the request writes a box, its view shows the new text.
  struct BoxViews {
    std::string_view first, difference, second;
  };
  // Starts a request on the texts already in outcome_.boxes, its line going to outcome_.output.
  void TakeBoxes();
  const Outcome& ComputeFilledBoxes(const RequestOptions& options);  // on input_
  const Outcome& Route(const RequestOptions& options);               // on input_
  const Outcome& DispatchDays(Request& request);
  const Outcome& DispatchMonths(Request& request);
  const Outcome& RefuseMonths(Request& request, std::initializer_list<int16_t> program_texts);
  const Outcome& StopBeforeDispatch(RequestStep step, std::optional<Message> message);
  bool ValidateFirstDate(Request& request);
  bool ValidateSecondDate(Request& request);
  bool ValidateDate(Request& request, Box box);
  bool ValidateDateDiff(Request& request);
  // Stores a computed value, or takes the overflow path when there is none.
  bool StoreOrOverflow(Request& request, std::optional<int32_t> value, int32_t& target);
  bool RunCountDaysBetween(Request& request);
  bool RunSecondDateFromFirst(Request& request);
  bool RunFirstDateFromSecond(Request& request);
  void OpenLine(Request& request, Box given, DifferenceUnit unit, int32_t number);
  void DisplayFirstDate(Request& request);
  void DisplaySecondDate(Request& request);
  void DisplayResultDate(Request& request, Box box);
  void DisplayDateDiff(Request& request);
  void AppendDayOfWeek(Request& request, const DateFields& date);
  void AppendVerboseNotes(Request& request);
  void OverflowPath(Request& request);
  void ShowRequestError(Request& request, int number);
  void CloseLine(Request& request);
  // Writes `day_number` in the box's calendar into `text` as `style` says and, for the window,
  // into the box (a box holds no calendar suffix); false, and the box unchanged,
  // when there is no such text (an ordinal date out of range).
  bool WriteBoxDate(Request& request, Box box, int32_t day_number, WriteStyle style, DateFields* record,
                    TextBuilder& text);
  DateFields& FieldsOf(Box box) { return box == Box::First ? FirstDateFields : SecondDateFields; }
  static std::string& BoxText(Request& request, Box box);
  // Stores the box's new text (its normal form) and shows it to the rest of the request.
  void SetBox(std::string& box_text, std::string_view& view, std::string_view text);
  // What a result line puts after a box's date: " " and the code of the calendar it is written in.
  static std::string_view CalendarSuffixOf(const Request& request, Box box);

  const ProgramTextStore& texts_;
  Outcome outcome_;
  BoxViews input_;
  std::string* line_out_ = nullptr;  // where the request's line goes; set by every entry point
  bool write_date_boxes_ = true;     // false for a batch line, which only wants the line
  // A batch line's normal forms of the dates it read (the window's are in the boxes).
  TextBuilder first_normal_, second_normal_;
  bool no_date_diff_and_same_cal_ = false;
};

// Unit words: lower-cased in every language but German.
std::string DayOrDays(int64_t number_of_days, int16_t language);
std::string MonthOrMonths(int64_t number_of_months, int16_t language);

// Today's date written for a date box in `code` (what the Today button writes).
std::string TodayBoxText(CalendarCode code, const RequestOptions& options);

}  // namespace qv
