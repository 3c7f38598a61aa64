#pragma once
// The work week: any non-empty set of the seven weekdays, and its text forms.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

class WorkWeek {
 public:
  static constexpr uint8_t kMondayToFriday = 0b0011111;  // bit 0 = Monday … bit 6 = Sunday

  constexpr WorkWeek() = default;
  // nullopt when no day is set or a bit beyond Sunday is.
  static std::optional<WorkWeek> FromMask(uint8_t mask);
  // "Mon-Fri", "Sun-Thu" (a range may wrap past Sunday), "Mon,Tue,Thu", "Mon-Wed,Fri", "1111100"
  // (Monday first, 1 = working day). Day names in English (Mon, Monday) or German (Mo, Montag), any
  // case. nullopt when the text is none of these or names no day.
  static std::optional<WorkWeek> Parse(std::string_view text);

  constexpr uint8_t Mask() const { return mask_; }
  // `iso_weekday`: 1 = Monday … 7 = Sunday.
  constexpr bool Works(int32_t iso_weekday) const { return ((mask_ >> (iso_weekday - 1)) & 1u) != 0; }
  std::string ToText() const;  // "1111100"

  friend constexpr bool operator==(WorkWeek, WorkWeek) = default;

 private:
  constexpr explicit WorkWeek(uint8_t mask) : mask_(mask) {}
  uint8_t mask_ = kMondayToFriday;
};

}  // namespace qv
