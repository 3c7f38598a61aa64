#pragma once
// The holidays a file reader gave, or a test failure naming why it refused the file.
#include <gtest/gtest.h>

#include <utility>
#include <variant>

#include "holidays/holiday_source.h"
#include "text/language.h"

namespace qv::test {

inline holidays::HolidaySource SourceOrFailure(holidays::HolidayFileResult result) {
  if (const auto* error = std::get_if<holidays::HolidayFileError>(&result)) {
    ADD_FAILURE() << holidays::HolidayFileErrorText(*error, Language::English);
    return {};
  }
  return std::get<holidays::HolidaySource>(std::move(result));
}

}  // namespace qv::test
