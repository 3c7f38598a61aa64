#include "calendar/hebrew.h"

#include <array>
#include <cstddef>

#include "calendar/civil.h"

namespace qv {
namespace {

// --- Time in parts: 1080 parts an hour ------------------------------------------------------------

inline constexpr uint64_t kPartsPerDay = 25'920;            // 24 × 1080
// The mean lunation, 29 days 12 hours 793 parts: 29 days and 13,753 parts.
inline constexpr uint64_t kLunationPartsBeyond29Days = 13'753;  // 12 × 1080 + 793
// The molad of Tishri of year 1 (BaHaRaD: Monday, 5 hours 204 parts after the evening that
// begins the day), plus 6 hours: counted from midnight-aligned days shifted by 18 hours, a molad at
// or after noon (molad zaken) falls into the next day, which is the first postponement.
inline constexpr uint64_t kFirstMoladParts = 12'084;        // 11 × 1080 + 204

// The calendar repeats itself after 689,472 years: 36,288 cycles of 19 years, 8,527,680 months,
// 329 × 25,920 of them so that the molad returns to the same part of the day, 251,827,457 days,
// a whole number of weeks (35,975,351) so that the postponements repeat.
inline constexpr uint64_t kPeriodYears = 689'472;
inline constexpr uint64_t kPeriodMonths = 8'527'680;
inline constexpr uint64_t kPeriodDays = 251'827'457;
static_assert(kPeriodMonths == kPeriodYears / 19 * 235 && kPeriodMonths % kPartsPerDay == 0);
static_assert(kPeriodDays == kPeriodMonths * 29 + kPeriodMonths / kPartsPerDay * kLunationPartsBeyond29Days);
static_assert(kPeriodDays % 7 == 0);

// Years and day numbers are moved up by whole periods to non-negative values: from there on the
// arithmetic is unsigned division by constants, with no sign corrections.
inline constexpr uint64_t kShiftPeriods = 3'115;
inline constexpr uint64_t kShiftYears = kShiftPeriods * kPeriodYears;  // 2,147,705,280 ≥ 2^31 + 3
inline constexpr uint64_t kShiftDays = kShiftPeriods * kPeriodDays;    // 784,442,528,555
static_assert(kShiftYears > (uint64_t{1} << 31) + 3, "year - 1 of every 32-bit year stays positive");

// Days from 1 Tishri of year 1 to the day of the molad of Tishri of the shifted year u, moved one
// day on when that day is a Sunday, Wednesday or Friday (lo ADU rosh). u ∈ [2.2e5, 2^32 + 2.3e5].
constexpr uint64_t ElapsedDays(uint64_t u) {
  const uint64_t months = (235 * u - 234) / 19;                                // [2.7e6, 5.4e10]: 12 a year, 7 more in 19
  const uint64_t parts = kFirstMoladParts + kLunationPartsBeyond29Days * months;  // < 7.4e14
  const uint64_t days = 29 * months + parts / kPartsPerDay;                    // < 1.6e12
  // Day 0 (the epoch) was a Monday, and the shift is whole weeks: 3(d + 1) mod 7 < 3 exactly
  // when d + 1 ≡ 0, 3 or 5, that is when day d is a Sunday, Wednesday or Friday.
  return days + ((3 * (days + 1)) % 7 < 3 ? 1 : 0);
}

// 1 Tishri of u, from the elapsed days of u − 1, u and u + 1. The two remaining postponements
// (GaTaRaD and BeTUTaKPaT) are those that keep year lengths within 353 … 355 and 383 … 385: two
// days more when the year would otherwise be followed by one of 356 days, one day more when the
// year before would otherwise have 382.
constexpr uint64_t NewYear(uint64_t before, uint64_t elapsed, uint64_t after) {
  if (after - elapsed == 356) return elapsed + 2;
  if (elapsed - before == 382) return elapsed + 1;
  return elapsed;
}

struct YearSpan {
  uint64_t start;  // days from 1 Tishri of year 1, shifted
  uint32_t length; // 353, 354, 355, 383, 384 or 385
};

constexpr YearSpan ShiftedYearSpan(uint64_t u) {
  const uint64_t e0 = ElapsedDays(u - 1), e1 = ElapsedDays(u), e2 = ElapsedDays(u + 1), e3 = ElapsedDays(u + 2);
  const uint64_t start = NewYear(e0, e1, e2);
  return {start, static_cast<uint32_t>(NewYear(e1, e2, e3) - start)};
}

constexpr uint64_t ShiftedYear(int32_t year) { return static_cast<uint64_t>(int64_t{year} + static_cast<int64_t>(kShiftYears)); }

// --- Months by the kind of year ---------------------------------------------------------------------

// The six kinds of year, 353, 354, 355 days (common) and 383, 384, 385 (leap): deficient, regular
// and complete. Heshvan has 30 days in a complete year, Kislev 29 in a deficient one.
constexpr uint32_t YearKind(uint32_t length) { return length - 353 - (length > 360 ? 27 : 0); }  // [0, 5]

// Days before each month, by kind: entry m for month m (1 … 13); past the year's last month,
// the year's length (so a 13th month of a common year begins the next year). Entry 0 is 0.
using MonthStarts = std::array<uint16_t, 16>;
constexpr std::array<MonthStarts, 6> kMonthStarts = [] {
  std::array<MonthStarts, 6> starts{};
  for (uint32_t kind = 0; kind < 6; ++kind) {
    const bool leap = kind >= 3;
    // Tishri, Heshvan, Kislev, Tevet, Shevat, [Adar I,] Adar (II), Nisan, Iyyar, Sivan, Tammuz, Av, Elul.
    uint16_t lengths[13] = {30, 29, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29};
    if (!leap) {
      for (int m = 5; m < 12; ++m) lengths[m] = lengths[m + 1];  // no Adar I
    }
    if (kind % 3 == 0) lengths[2] = 29;  // deficient: Kislev 29
    if (kind % 3 == 2) lengths[1] = 30;  // complete: Heshvan 30
    const int months = leap ? 13 : 12;
    uint16_t total = 0;
    for (int m = 1; m < 16; ++m) {
      starts[kind][static_cast<std::size_t>(m)] = total;
      if (m <= months) total = static_cast<uint16_t>(total + lengths[m - 1]);
    }
  }
  return starts;
}();

// The month of a day of the year (0-based): the months average 29.5 days, and the kinds move a
// month's start at most one day before or two days after ⌈29.5(m − 1)⌉, less than a month, so the
// estimate is at most one month off either way. day_of_year ∈ [0, 384] → estimate ∈ [1, 14].
constexpr uint32_t MonthOfDay(const MonthStarts& starts, uint32_t day_of_year) {
  const uint32_t estimate = 2 * day_of_year / 59 + 1;
  return estimate - (day_of_year < starts[estimate] ? 1 : 0) + (day_of_year >= starts[estimate + 1] ? 1 : 0);
}

static_assert(kMonthStarts[0][13] == 353 && kMonthStarts[2][13] == 355 && kMonthStarts[3][14] == 383 &&
              kMonthStarts[5][14] == 385 && kMonthStarts[1][7] == 177 && kMonthStarts[4][8] == 207);
static_assert([] {
  for (uint32_t kind = 0; kind < 6; ++kind) {
    const uint32_t length = kind < 3 ? 353 + kind : 380 + kind;
    if (YearKind(length) != kind) return false;
    for (uint32_t day = 0; day < length; ++day) {
      const uint32_t m = MonthOfDay(kMonthStarts[kind], day);
      if (m < 1 || m > (kind < 3 ? 12u : 13u)) return false;
      if (day < kMonthStarts[kind][m] || day >= kMonthStarts[kind][m + 1]) return false;
    }
  }
  return true;
}(), "every day of every kind of year finds its month");

// --- Fixed points ------------------------------------------------------------------------------------

static_assert(civil::JulianToDayNumber(-3760, 10, 7) == kHebrewEpoch);
static_assert(ShiftedYearSpan(ShiftedYear(1)).start == kShiftDays, "1 Tishri 1 is the epoch");
static_assert(ShiftedYearSpan(ShiftedYear(5785)).start - kShiftDays + kHebrewEpoch ==
              static_cast<uint64_t>(civil::GregorianToDayNumber(2024, 10, 3)), "1 Tishri 5785");
static_assert(ShiftedYearSpan(ShiftedYear(5784)).length == 383);

// Months before year y: 12 a year and 7 more in every 19, the leap years 3, 6, 8, 11, 14, 17, 19.
constexpr int64_t MonthsBeforeYear(int64_t year) { return civil::FloorDiv(235 * year - 234, 19); }

}  // namespace

CalendarDate HebrewFromDayNumber(int32_t day_number) {
  const uint64_t n = static_cast<uint64_t>(int64_t{day_number} - kHebrewEpoch + static_cast<int64_t>(kShiftDays));  // > 7.8e11
  // From the mean year, 35,975,351 / 98,496 days: 1 Tishri lies at most 27 days before and 5
  // days after the mean line, so the year of n − 5 days on the line is the year or the one before
  // (checked for every year of a whole period by the tests; the period carries it to all).
  const uint64_t estimate = (n - 5) * 98'496 / 35'975'351 + 1;                       // shifted year
  const uint64_t e0 = ElapsedDays(estimate - 1), e1 = ElapsedDays(estimate), e2 = ElapsedDays(estimate + 1),
                 e3 = ElapsedDays(estimate + 2), e4 = ElapsedDays(estimate + 3);
  const uint64_t this_start = NewYear(e0, e1, e2), next_start = NewYear(e1, e2, e3), after_start = NewYear(e2, e3, e4);
  const bool next = n >= next_start;
  const uint64_t start = next ? next_start : this_start;
  const uint32_t length = static_cast<uint32_t>((next ? after_start : next_start) - start);  // [353, 385]
  const uint32_t day_of_year = static_cast<uint32_t>(n - start);                             // [0, 384]
  const MonthStarts& starts = kMonthStarts[YearKind(length)];
  const uint32_t month = MonthOfDay(starts, day_of_year);                                   // [1, 13]
  return {static_cast<int32_t>(static_cast<int64_t>(estimate + (next ? 1 : 0)) - static_cast<int64_t>(kShiftYears)),
          static_cast<int16_t>(month), static_cast<int16_t>(day_of_year - starts[month] + 1)};
}

int64_t HebrewToDayNumber(const CalendarDate& date) {
  const YearSpan span = ShiftedYearSpan(ShiftedYear(date.year));
  const uint16_t before_month = kMonthStarts[YearKind(span.length)][static_cast<uint16_t>(date.month) & 15u];
  return static_cast<int64_t>(span.start - kShiftDays) + kHebrewEpoch + before_month + (int64_t{date.day} - 1);
}

bool IsHebrewLeapYear(int32_t year) { return civil::FloorMod(7 * int64_t{year} + 1, 19) < 7; }

int16_t HebrewMonthsInYear(int32_t year) { return IsHebrewLeapYear(year) ? 13 : 12; }

int32_t HebrewDaysInYear(int32_t year) { return static_cast<int32_t>(ShiftedYearSpan(ShiftedYear(year)).length); }

int16_t HebrewDaysInMonth(int32_t year, int16_t month) {
  if (month < 1 || month > HebrewMonthsInYear(year)) return 0;
  const MonthStarts& starts = kMonthStarts[YearKind(ShiftedYearSpan(ShiftedYear(year)).length)];
  return static_cast<int16_t>(starts[static_cast<std::size_t>(month) + 1] - starts[static_cast<std::size_t>(month)]);
}

int64_t HebrewMonthIndex(int32_t year, int16_t month) { return MonthsBeforeYear(year) + (int64_t{month} - 1); }

CalendarDate HebrewMonthFromIndex(int64_t index) {
  // Clamped to the months of the 32-bit years, so that 19 × index stays far from overflow.
  const int64_t first = MonthsBeforeYear(INT32_MIN);
  const int64_t last = MonthsBeforeYear(int64_t{INT32_MAX} + 1) - 1;
  const int64_t i = index < first ? first : (index > last ? last : index);
  // The year whose months before it are at most i: ⌊(235y − 234) / 19⌋ ≤ i ⟺ 235y ≤ 19i + 252.
  const int64_t year = civil::FloorDiv(19 * i + 252, 235);
  return {static_cast<int32_t>(year), static_cast<int16_t>(i - MonthsBeforeYear(year) + 1), 1};
}

}  // namespace qv
