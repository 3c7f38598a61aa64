// The settings file reader against arbitrary bytes.
//
// Properties checked (a violation traps):
//  - the reader answers Complete, MonthsLineMissing or Incomplete; a result that asks for the
//    defaults holds exactly the defaults, and a missing line 15 reads as days;
//  - whatever was read, written again and read back, gives the same records (the box texts
//    empty when "Save output" is 0), so nothing a file can hold is lost or changed on the
//    next Quit;
//  - the choices made from the records are always among the allowed ones, and storing them and
//    choosing again changes nothing;
//  - records built from the input bytes (texts with any quotes, commas and line breaks, numbers
//    of any size) survive a write and a read unchanged;
//  - the four box texts, UTF-8 or not, come back byte for byte from the window's choices, and
//    their UTF-8 form is well-formed;
//  - an output cut to a limit fits it, ends with the note and is made of the newest lines.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "settings/settings_file.h"
#include "fuzz_checks.h"

namespace {

using qv::fuzz::Require;

void CheckChoices(const qv::SettingsChoices& c) {
  Require(c.language == qv::Language::English || c.language == qv::Language::German);
  Require(c.date_format == qv::kFormatMDY || c.date_format == qv::kFormatDMY || c.date_format == qv::kFormatYMD);
  Require(c.date_separator == "-" || c.date_separator == "/" || c.date_separator == ".");
  Require(c.thousands_separator == "," || c.thousands_separator == "." || c.thousands_separator.empty());
  Require(qv::IsUserCalendar(c.today_calendar));
  Require(qv::IsUserCalendar(c.first_calendar));
  Require(qv::IsUserCalendar(c.second_calendar));
  Require(qv::InterpretSettings(qv::StoreSettings(c)) == c);
}

qv::StoredSettings AsWrittenThenRead(qv::StoredSettings s) {
  if (s.save_output == 0) {
    s.first_date.clear();
    s.date_difference.clear();
    s.second_date.clear();
    s.output.clear();
  }
  return s;
}

// What the window shows and writes back at Quit: the same bytes for every box text.
void CheckBoxTextsComeBack(const qv::StoredSettings& s) {
  const qv::SettingsChoices choices = qv::InterpretSettings(s);
  Require(qv::IsValidUtf8(choices.first_date) && qv::IsValidUtf8(choices.output));
  const qv::StoredSettings again = qv::StoreSettings(choices);
  Require(again.first_date == s.first_date && again.date_difference == s.date_difference &&
          again.second_date == s.second_date && again.output == s.output);
}

void CheckCutFits(qv::StoredSettings s, std::size_t room) {
  const std::size_t limit = qv::FormattedSize(qv::StoredSettings{}) + room;
  constexpr std::string_view kNote = "cut";
  if (!qv::FitSavedOutput(s, kNote, {kNote}, limit) || s.output.empty()) return;
  Require(qv::FormattedSize(s) <= limit);
  Require(s.output.size() >= kNote.size() + 2 && s.output.substr(s.output.size() - kNote.size() - 2) == "cut\r\n");
}

void CheckWriteThenRead(const qv::StoredSettings& s) {
  const qv::SettingsReadResult again = qv::ParseSettingsText(qv::FormatSettingsFile(s));
  Require(again.status == qv::SettingsReadStatus::Complete);
  Require(again.settings == AsWrittenThenRead(s));
}

int32_t NumberAt(const uint8_t* data, std::size_t size, std::size_t index) {
  uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    const std::size_t at = index * 4 + i;
    bits = bits << 8 | (at < size ? data[at] : 0u);
  }
  int32_t value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const qv::SettingsReadResult read = qv::ParseSettingsText(text);
  Require(read.status == qv::SettingsReadStatus::Complete || read.status == qv::SettingsReadStatus::MonthsLineMissing ||
          read.status == qv::SettingsReadStatus::Incomplete);
  if (qv::UsesDefaults(read.status)) Require(read.settings == qv::StoredSettings{});
  if (read.status == qv::SettingsReadStatus::MonthsLineMissing) Require(read.settings.months == 0);
  CheckWriteThenRead(read.settings);
  CheckChoices(qv::InterpretSettings(read.settings));

  // Records made from the bytes: the numbers from the first 52, the six texts from even
  // slices of the whole input.
  qv::StoredSettings made;
  int32_t* numbers[] = {&made.language,        &made.date_format,        &made.date_separator,
                        &made.thousands_separator, &made.today_calendar, &made.first_calendar,
                        &made.second_calendar, &made.include_first_date, &made.include_weekends,
                        &made.verbose,         &made.hyphen,             &made.save_output,
                        &made.months};
  std::size_t index = 0;
  for (int32_t* number : numbers) *number = NumberAt(data, size, index++);
  std::string* texts[] = {&made.first_day_of_week, &made.month_calendar, &made.first_date,
                          &made.date_difference,   &made.second_date,    &made.output};
  const std::size_t slice = size / 6;
  index = 0;
  for (std::string* target : texts) {
    *target = text.substr(index * slice, index == 5 ? std::string_view::npos : slice);
    ++index;
  }
  CheckWriteThenRead(made);
  CheckChoices(qv::InterpretSettings(made));
  made.save_output = 1;
  CheckBoxTextsComeBack(made);
  CheckCutFits(made, size > 0 ? data[0] : 0);
  return 0;
}
