#include "calendar/indian_national.h"

#include "calendar/civil.h"

namespace qv {
namespace {

// Saka year s holds the leap day of CE year s + 78 in its Chaitra, and so has the length of the
// March-based CE year s + 77 (1 March s + 77 … 29 February s + 78). It begins 386 days after
// that year's 1 March: 365 + leap days to 1 March s + 78, then 21 days to 22 March, less the
// leap day that moves it to 21 March.
inline constexpr int64_t kMarchYearOfSakaYear = kSakaToCommonEra - 1;
inline constexpr int64_t kDaysAfterMarchFirst = 386;

// Days from the start of the year to the first of month m: Chaitra 30 (31 in a leap year), five
// months of 31, then months of 30.
constexpr int64_t DaysBeforeMonth(int64_t m, int64_t leap) {
  if (m <= 1) return 30 * (m - 1);
  if (m <= 7) return 30 + leap + 31 * (m - 2);
  return 185 + leap + 30 * (m - 7);
}

constexpr int64_t YearStart(int64_t year) {  // any 32-bit year: within ±2^40
  const uint64_t march_years = static_cast<uint64_t>(year + kMarchYearOfSakaYear +
                                                     static_cast<int64_t>(400 * civil::kGregorianCycleShift));  // < 2^32 + 430
  return static_cast<int64_t>(civil::GregorianDaysBeforeYear(march_years) -
                              civil::kGregorianCycleShift * civil::kGregorianCycleDays) +
         civil::kGregorianMarchZero + kDaysAfterMarchFirst;
}

constexpr bool IsLeap(int64_t year) { return civil::IsGregorianLeap(year + kSakaToCommonEra); }

static_assert(YearStart(1946) == civil::GregorianToDayNumber(2024, 3, 21), "1 Chaitra 1946, in a leap year");
static_assert(YearStart(1947) == civil::GregorianToDayNumber(2025, 3, 22), "1 Chaitra 1947");
static_assert(YearStart(1922) == civil::GregorianToDayNumber(2000, 3, 21) && YearStart(1822) == civil::GregorianToDayNumber(1900, 3, 22));
static_assert(DaysBeforeMonth(7, 1) == 186 && DaysBeforeMonth(13, 0) == 365 && DaysBeforeMonth(13, 1) == 366);

}  // namespace

CalendarDate IndianNationalFromDayNumber(int32_t day_number) {
  const civil::MarchYearDay march_year = civil::GregorianMarchYearOfDayNumber(int64_t{day_number} - kDaysAfterMarchFirst);
  const int64_t year = march_year.year - kMarchYearOfSakaYear;
  const int64_t day_of_year = march_year.day_of_year;                             // [0, 365]
  const int64_t chaitra = 30 + (IsLeap(year) ? 1 : 0);                            // 30 or 31
  int64_t month = 1, day = day_of_year + 1;
  if (day_of_year >= chaitra) {
    const int64_t after_chaitra = day_of_year - chaitra;                          // [0, 334]
    const bool long_month = after_chaitra < 155;                                  // months 2 … 6 of 31 days
    month = long_month ? after_chaitra / 31 + 2 : (after_chaitra - 155) / 30 + 7;  // [2, 12]
    day = long_month ? after_chaitra % 31 + 1 : (after_chaitra - 155) % 30 + 1;    // [1, 31]
  }
  return {static_cast<int32_t>(year), static_cast<int16_t>(month), static_cast<int16_t>(day)};
}

int64_t IndianNationalToDayNumber(const CalendarDate& date) {
  return YearStart(date.year) + DaysBeforeMonth(date.month, IsLeap(date.year) ? 1 : 0) + (int64_t{date.day} - 1);
}

bool IsIndianNationalLeapYear(int32_t year) { return IsLeap(year); }

int16_t IndianNationalMonthsInYear(int32_t) { return 12; }

int32_t IndianNationalDaysInYear(int32_t year) { return IsLeap(year) ? 366 : 365; }

int16_t IndianNationalDaysInMonth(int32_t year, int16_t month) {
  if (month < 1 || month > 12) return 0;
  if (month == 1) return IsLeap(year) ? 31 : 30;
  return month <= 6 ? 31 : 30;
}

int64_t IndianNationalMonthIndex(int32_t year, int16_t month) { return FixedMonthIndex(year, month, 12); }

CalendarDate IndianNationalMonthFromIndex(int64_t index) { return FixedMonthFromIndex(index, 12); }

}  // namespace qv
