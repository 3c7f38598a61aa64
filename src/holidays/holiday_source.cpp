#include "holidays/holiday_source.h"

#include <cstdio>
#include <memory>

#include "calendar/civil.h"

namespace qv::holidays {

HolidaySource RegionSource(const Region& region) {
  HolidaySource source;
  source.kind = SourceKind::Region;
  source.label = std::string(region.code);
  source.rules = RulesInForce(region);
  for (const WorkdayMark& mark : region.workdays) {
    if (mark.day_number < civil::GregorianToDayNumber(region.first_year, 1, 1)) continue;
    source.workdays.push_back(DatedHoliday{.day_number = mark.day_number, .name = std::string(mark.name.en)});
  }
  return source;
}

std::string HolidayFileErrorText(const HolidayFileError& error, Language language) {
  const bool german = language == Language::German;
  std::string text = error.file;
  if (error.line > 0) text += (german ? ", Zeile " : ", line ") + std::to_string(error.line);
  text += ": ";
  switch (error.problem) {
    case FileProblem::CannotRead:
      text += german ? "Die Datei kann nicht gelesen werden" : "cannot read the file";
      break;
    case FileProblem::TooLarge:
      text += german ? "Die Datei ist größer als 64 MiB" : "the file is larger than 64 MiB";
      break;
    case FileProblem::NotADate:
      text += german ? "kein Datum" : "not a date";
      break;
    case FileProblem::OutOfRange:
      text += german ? "Datum außerhalb des Bereichs" : "date out of range";
      break;
    case FileProblem::NotUtf8:
      text += german ? "der Name ist kein UTF-8-Text" : "the name is not UTF-8 text";
      break;
    case FileProblem::NotICalendar:
      text += german ? "keine iCalendar-Datei" : "not an iCalendar file";
      break;
    case FileProblem::MalformedEvent:
      text += german ? "ein Termin ist fehlerhaft" : "an event is malformed";
      break;
    case FileProblem::UnsupportedRule:
      text += german ? "eine Wiederholung wird nicht unterstützt" : "a repetition is not supported";
      break;
  }
  if (!error.detail.empty()) text += ": " + error.detail;
  return text;
}

std::variant<std::string, HolidayFileError> ReadWholeFile(const std::string& path) {
  const auto fail = [&](FileProblem problem) {
    return HolidayFileError{.file = path, .line = 0, .problem = problem, .detail = {}};
  };
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return fail(FileProblem::CannotRead);
  std::string contents;
  char buffer[65536];
  for (;;) {
    const size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    if (got > 0) {
      if (contents.size() + got > kLargestHolidayFile) return fail(FileProblem::TooLarge);
      contents.append(buffer, got);
    }
    if (got < sizeof buffer) break;
  }
  if (std::ferror(file.get())) return fail(FileProblem::CannotRead);
  return contents;
}

}  // namespace qv::holidays
