// The working-days file reader (qrv-workdays.ini) against arbitrary bytes.
//
// Properties checked (a violation traps):
//  - the reader answers Complete or Damaged; a damaged file holds exactly the defaults;
//  - what was read has a work week with at least one day and none beyond Sunday, no region or a
//    built-in one spelt as the list spells it, and only absolute paths;
//  - whatever was read, written again and read back, gives the same settings;
//  - settings built from the input bytes (a path with any bytes but NUL, any date options) survive
//    a write and a read unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "holidays/regions.h"
#include "settings/work_days_file.h"
#include "fuzz_checks.h"

namespace {

using qv::fuzz::Require;

void CheckWriteThenRead(const qv::WorkDaysSettings& settings) {
  const qv::WorkDaysReadResult again = qv::ParseWorkDaysText(qv::FormatWorkDaysFile(settings));
  Require(again.status == qv::WorkDaysReadStatus::Complete);
  Require(again.settings == settings);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const qv::WorkDaysReadResult read = qv::ParseWorkDaysText(text);
  Require(read.status == qv::WorkDaysReadStatus::Complete || read.status == qv::WorkDaysReadStatus::Damaged);
  if (read.status == qv::WorkDaysReadStatus::Damaged) Require(read.settings == qv::WorkDaysSettings{});
  Require(read.settings.work_week != 0 && read.settings.work_week < 0x80);
  if (!read.settings.region.empty()) {
    const qv::holidays::Region* region = qv::holidays::FindRegion(read.settings.region);
    Require(region != nullptr && region->code == read.settings.region);
  }
  for (const qv::HolidayFileEntry& file : read.settings.files) Require(!file.path.empty() && file.path[0] == '/');
  CheckWriteThenRead(read.settings);

  // Settings made from the bytes: the first three choose the week and the date options, the rest
  // is the path.
  const auto byte = [&](std::size_t i) { return i < size ? data[i] : uint8_t{0}; };
  qv::WorkDaysSettings made;
  made.work_week = static_cast<uint8_t>(byte(0) & 0x7F);
  if (made.work_week == 0) made.work_week = 0b0011111;
  const auto regions = qv::holidays::Regions();
  made.region = byte(1) % 2 == 0 ? std::string() : std::string(regions[byte(1) % regions.size()].code);
  qv::HolidayFileEntry file;
  file.date_format = static_cast<qv::DateFormat>(byte(2) % 3);
  file.date_separator = std::string(1, "-/."[byte(2) / 3 % 3]);
  file.thousands_separator = byte(2) / 9 % 3 == 0 ? std::string() : std::string(1, ",."[byte(2) / 9 % 3 - 1]);
  file.path = "/";
  for (std::size_t i = 3; i < size; ++i) {
    if (data[i] != 0) file.path += static_cast<char>(data[i]);
  }
  made.files.push_back(file);
  CheckWriteThenRead(made);
  return 0;
}
