#pragma once
// The work week: any non-empty set of the seven weekdays, and its text forms.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/civil.h"

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

// Counting the days of a work week from a fixed origin (day 0, a Monday): the days before a day,
// the n-th from a day on, and the inverse of the count. Whole weeks by division, the rest from
// the week's table.
class WorkWeekDays {
 public:
  constexpr explicit WorkWeekDays(WorkWeek week = WorkWeek()) {
    for (size_t i = 0; i < 7; ++i) {
      const bool works = week.Works(static_cast<int32_t>(i) + 1);
      prefix_[i + 1] = prefix_[i] + (works ? 1 : 0);
      if (works) position_[static_cast<size_t>(prefix_[i])] = static_cast<int64_t>(i);
    }
    for (size_t w = 0; w < 7; ++w) {
      size_t k = 0;
      for (size_t ahead = 0; ahead < 14 && k < 7; ++ahead) {
        if (week.Works(static_cast<int32_t>((w + ahead) % 7) + 1)) offset_[w][++k] = static_cast<int64_t>(ahead);
      }
    }
    per_week_inverse_ = 1.0 / static_cast<double>(prefix_[7]);
  }
  constexpr int64_t PerWeek() const { return prefix_[7]; }  // [1, 7]
  // Work-week days before day x.
  constexpr int64_t Before(int64_t x) const {
    return civil::FloorDiv(x, 7) * prefix_[7] + prefix_[static_cast<size_t>(civil::FloorMod(x, 7))];
  }
  // The n-th work-week day (n >= 1) from `from` on, `from` itself being the first when it is one.
  constexpr int64_t NthFrom(int64_t from, int64_t n) const {
    const int64_t weeks = WholeWeeks(n - 1);
    const int64_t left = n - weeks * prefix_[7];  // [1, PerWeek()]
    return from + 7 * weeks + offset_[static_cast<size_t>(civil::DaysSinceMonday(from))][static_cast<size_t>(left)];
  }
  // The smallest u with Before(u) >= target: the day after the target-th work-week day.
  constexpr int64_t FirstReaching(int64_t target) const {
    const int64_t weeks = WholeWeeks(target - 1);
    const int64_t rest = target - 1 - weeks * prefix_[7];  // [0, PerWeek() - 1]
    return 7 * weeks + position_[static_cast<size_t>(rest)] + 1;
  }

 private:
  // ⌊days / PerWeek()⌋ (|days| < 2^50): the weeks that many work-week days fill. A multiplication
  // by the inverse, put right by one where it rounds across a multiple; a 64-bit division by the
  // stored number would cost several times it.
  constexpr int64_t WholeWeeks(int64_t days) const {
    auto weeks = static_cast<int64_t>(static_cast<double>(days) * per_week_inverse_);  // off by at most one
    const int64_t rest = days - weeks * prefix_[7];
    if (rest < 0) --weeks;
    if (rest >= prefix_[7]) ++weeks;
    return weeks;
  }
  double per_week_inverse_ = 1.0 / 5.0;
  std::array<int64_t, 8> prefix_{};    // work-week days among the first i days of a week from Monday
  std::array<int64_t, 7> position_{};  // the weekday (0 = Monday) of the week's (r + 1)-th work day
  // offset_[w][k]: days from a day of weekday w (0 = Monday) to the k-th work-week day from it on.
  std::array<std::array<int64_t, 8>, 7> offset_{};
};

}  // namespace qv
