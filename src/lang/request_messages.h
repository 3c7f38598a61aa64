#pragma once
// The messages of request validation: ten texts for each of six language slots (English 0,
// German 1, Spanish 2, Portuguese 3, Italian 4, French 5). English, German and Spanish are
// filled; the other three slots are present but empty. A line break inside a message is CR LF.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "text/language.h"

namespace qv {

inline constexpr std::size_t kRequestMessageCount = 10;
inline constexpr std::size_t kRequestLanguageSlots = 6;

using RequestMessageTable =
    std::array<std::array<std::string, kRequestMessageCount>, kRequestLanguageSlots>;

// Message numbers, by what they report.
namespace reqmsg {
inline constexpr int BothDatesNeedEmptyDifference = 0;
inline constexpr int FirstDateNotValid = 1;
inline constexpr int FirstDateNotValidIso = 2;
inline constexpr int FirstDateOutOfRange = 3;
inline constexpr int DifferenceNotValid = 4;
inline constexpr int DifferenceOutOfRange = 5;
inline constexpr int SecondDateNotValid = 6;
inline constexpr int SecondDateNotValidIso = 7;
inline constexpr int SecondDateOutOfRange = 8;
inline constexpr int ResultOutOfRange = 9;
}  // namespace reqmsg

// The table, built on first use and immutable afterwards.
const RequestMessageTable& BuildRequestMessages();

// Message `number` in `language`; an empty text for an empty slot or any index outside the table.
const std::string& RequestMessage(Language language, int number);

}  // namespace qv
