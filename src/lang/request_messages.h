#pragma once
// The messages of request validation: ten texts for each of six language slots (English 0,
// German 1, Spanish 2, Portuguese 3, Italian 4, French 5). English, German and Spanish are
// filled; the other three slots are present but empty. A line break inside a message is CR LF.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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

// Our own message, beyond the table: a box text that reads only when characters outside its form
// are left out or fields are joined ("2000-01-01 5", "10d"). It names the box and quotes the
// text (its first 40 characters, control characters shown as '?'), and points to --lenient,
// the command-line program's way to read it as the window reads pasted text. English or German.
enum class InputBox { FirstDate, Difference, SecondDate };
std::string MisreadMessage(Language language, InputBox box, std::string_view text);

// Our own message for a request that gives a date difference and no date, which asks nothing
// (the window ignores it; a script gets this).
std::string_view DateMissingMessage(Language language);

}  // namespace qv
