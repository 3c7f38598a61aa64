// The added calendars against dates published by those who keep them.
#include <gtest/gtest.h>

#include <vector>

#include "calendar/civil.h"
#include "calendar/coptic_ethiopian.h"
#include "calendar/french_republican.h"
#include "calendar/hebrew.h"
#include "calendar/indian_national.h"
#include "calendar/islamic.h"
#include "calendar/mayan.h"
#include "calendar/persian.h"
#include "support/calendar_date_printing.h"

namespace qv {
namespace {

struct Ce {
  int32_t year, month, day;
};
int64_t DayNumberOf(Ce date) { return civil::GregorianToDayNumber(date.year, date.month, date.day); }

struct Published {
  CalendarDate date;
  Ce ce;
};

void ExpectBothWays(CalendarDate (*from)(int32_t), int64_t (*to)(const CalendarDate&), const Published& p) {
  const int64_t day_number = DayNumberOf(p.ce);
  EXPECT_EQ(to(p.date), day_number) << p.date.year << "-" << p.date.month << "-" << p.date.day;
  EXPECT_EQ(from(static_cast<int32_t>(day_number)), p.date) << p.ce.year << "-" << p.ce.month << "-" << p.ce.day;
}

// Rosh Hashanah, 1 Tishri, 5761 … 5791 (2000 … 2030), as the Jewish calendars print it.
TEST(HebrewPublished, RoshHashanah2000To2030) {
  const Ce dates[] = {
      {2000, 9, 30}, {2001, 9, 18}, {2002, 9, 7},  {2003, 9, 27}, {2004, 9, 16}, {2005, 10, 4}, {2006, 9, 23},
      {2007, 9, 13}, {2008, 9, 30}, {2009, 9, 19}, {2010, 9, 9},  {2011, 9, 29}, {2012, 9, 17}, {2013, 9, 5},
      {2014, 9, 25}, {2015, 9, 14}, {2016, 10, 3}, {2017, 9, 21}, {2018, 9, 10}, {2019, 9, 30}, {2020, 9, 19},
      {2021, 9, 7},  {2022, 9, 26}, {2023, 9, 16}, {2024, 10, 3}, {2025, 9, 23}, {2026, 9, 12}, {2027, 10, 2},
      {2028, 9, 21}, {2029, 9, 10}, {2030, 9, 28},
  };
  for (int32_t i = 0; i < 31; ++i) ExpectBothWays(HebrewFromDayNumber, HebrewToDayNumber, {{5761 + i, 1, 1}, dates[i]});
  ExpectBothWays(HebrewFromDayNumber, HebrewToDayNumber, {{5784, 8, 15}, {2024, 4, 23}});  // Pesach 5784, a leap year
  ExpectBothWays(HebrewFromDayNumber, HebrewToDayNumber, {{5785, 7, 15}, {2025, 4, 13}});  // Pesach 5785, a common year
  EXPECT_EQ(HebrewToDayNumber({1, 1, 1}), 347998);
}

// Nowruz, 1 Farvardin, 1380 … 1410, in the official calendar of Iran (Calendar Center of the
// Institute of Geophysics, University of Tehran): 20 March after the leap years 1382, 1386,
// 1390, 1394, 1398, 1402 and after 1406 and 1407; 21 March otherwise.
TEST(PersianPublished, Nowruz1380To1410) {
  for (int32_t year = 1380; year <= 1410; ++year) {
    const bool twentieth = year == 1383 || year == 1387 || year == 1391 || year == 1395 || year == 1399 ||
                           year == 1403 || year == 1407 || year == 1408;
    ExpectBothWays(PersianFromDayNumber, PersianToDayNumber, {{year, 1, 1}, {year + 621, 3, twentieth ? 20 : 21}});
  }
  ExpectBothWays(PersianFromDayNumber, PersianToDayNumber, {{1403, 12, 30}, {2025, 3, 20}});  // the leap day of 1403
}

// 1 Ramadan of the tabular calendar beside the Umm al-Qura calendar of Saudi Arabia (the dates
// its authorities announced): an arithmetic calendar stays within a day of it in these years.
TEST(IslamicPublished, RamadanBesideUmmAlQura) {
  const Ce umm_al_qura[] = {{2017, 5, 27}, {2018, 5, 17}, {2019, 5, 6}, {2020, 4, 24},
                            {2021, 4, 13}, {2022, 4, 2},  {2023, 3, 23}, {2024, 3, 11}, {2025, 3, 1}};
  for (int32_t i = 0; i < 9; ++i) {
    const int64_t tabular = IslamicToDayNumber({1438 + i, 9, 1});
    EXPECT_GE(tabular - DayNumberOf(umm_al_qura[i]), -1) << 1438 + i;
    EXPECT_LE(tabular - DayNumberOf(umm_al_qura[i]), 1) << 1438 + i;
    EXPECT_EQ(IslamicFromDayNumber(static_cast<int32_t>(tabular)), (CalendarDate{1438 + i, 9, 1}));
  }
  EXPECT_EQ(IslamicToDayNumber({1, 1, 1}), 1948440);                       // Friday 16 July 622 JC
  EXPECT_EQ(IslamicToDayNumber({1446, 1, 1}), DayNumberOf({2024, 7, 8}));  // Umm al-Qura: 7 July
}

// 1 Vendémiaire of years I … XIV as the Republic dated them, and 1 Vendémiaire XV, which the
// calendar did not reach (it ended with 10 Nivôse XIV, 31 December 1805).
TEST(FrenchRepublicanPublished, YearsInUse) {
  const Ce first_days[] = {{1792, 9, 22}, {1793, 9, 22}, {1794, 9, 22}, {1795, 9, 23}, {1796, 9, 22},
                           {1797, 9, 22}, {1798, 9, 22}, {1799, 9, 23}, {1800, 9, 23}, {1801, 9, 23},
                           {1802, 9, 23}, {1803, 9, 24}, {1804, 9, 23}, {1805, 9, 23}};
  for (int32_t year = 1; year <= 14; ++year) {
    ExpectBothWays(FrenchRepublicanFromDayNumber, FrenchRepublicanToDayNumber, {{year, 1, 1}, first_days[year - 1]});
    EXPECT_TRUE(IsFrenchRepublicanYearInUse(year));
  }
  EXPECT_FALSE(IsFrenchRepublicanYearInUse(0));
  EXPECT_FALSE(IsFrenchRepublicanYearInUse(15));
  ExpectBothWays(FrenchRepublicanFromDayNumber, FrenchRepublicanToDayNumber, {{14, 4, 10}, {1805, 12, 31}});
  ExpectBothWays(FrenchRepublicanFromDayNumber, FrenchRepublicanToDayNumber, {{2, 2, 18}, {1793, 11, 8}});  // 18 Brumaire II
  ExpectBothWays(FrenchRepublicanFromDayNumber, FrenchRepublicanToDayNumber, {{8, 2, 18}, {1799, 11, 9}});  // 18 Brumaire VIII
  ExpectBothWays(FrenchRepublicanFromDayNumber, FrenchRepublicanToDayNumber, {{3, 13, 6}, {1795, 9, 22}});  // jour de la Révolution
}

// The Paris Commune took up the calendar again in May 1871 (an LXXIX): its Journal officiel and
// its proclamations were dated both ways (E. Pierotti, Décrets et rapports officiels de la
// Commune de Paris, 1871): the decree of 16 Floréal 79 appeared on 6 May 1871, the last
// proclamations bore 3 Prairial 79, 23 May, and 4 Prairial 79, 24 May. Year XV being the last leap
// year as kept, XVI … XIX are common and Romme's rule counts from year XX; a day later anywhere in
// these years would show as a shifted Commune date.
TEST(FrenchRepublicanPublished, TheCommuneOfParis) {
  ExpectBothWays(FrenchRepublicanFromDayNumber, FrenchRepublicanToDayNumber, {{79, 8, 16}, {1871, 5, 6}});
  ExpectBothWays(FrenchRepublicanFromDayNumber, FrenchRepublicanToDayNumber, {{79, 9, 3}, {1871, 5, 23}});
  ExpectBothWays(FrenchRepublicanFromDayNumber, FrenchRepublicanToDayNumber, {{79, 9, 4}, {1871, 5, 24}});
}

// The years after the calendar's use: XV leap (the sixth complementary day, 23 September 1807),
// XVI … XIX common, XX the first leap year of Romme's rule; its leap years are 3, 7, 11, 15, 20,
// 24, 28 … and never two in a row.
TEST(FrenchRepublicanPublished, YearsFifteenToTwentyOne) {
  const Published first_days[] = {{{15, 1, 1}, {1806, 9, 23}}, {{16, 1, 1}, {1807, 9, 24}}, {{17, 1, 1}, {1808, 9, 23}},
                                  {{18, 1, 1}, {1809, 9, 23}}, {{19, 1, 1}, {1810, 9, 23}}, {{20, 1, 1}, {1811, 9, 23}},
                                  {{21, 1, 1}, {1812, 9, 23}}};
  for (const Published& p : first_days) ExpectBothWays(FrenchRepublicanFromDayNumber, FrenchRepublicanToDayNumber, p);
  ExpectBothWays(FrenchRepublicanFromDayNumber, FrenchRepublicanToDayNumber, {{15, 13, 6}, {1807, 9, 23}});
  ExpectBothWays(FrenchRepublicanFromDayNumber, FrenchRepublicanToDayNumber, {{20, 13, 6}, {1812, 9, 22}});
  std::vector<int32_t> leap_years;
  for (int32_t year = 1; year <= 40; ++year) {
    if (IsFrenchRepublicanLeapYear(year)) leap_years.push_back(year);
  }
  EXPECT_EQ(leap_years, (std::vector<int32_t>{3, 7, 11, 15, 20, 24, 28, 32, 36, 40}));
}

TEST(CopticEthiopianPublished, NewYearsAndChristmas) {
  ExpectBothWays(CopticFromDayNumber, CopticToDayNumber, {{1741, 1, 1}, {2024, 9, 11}});
  ExpectBothWays(EthiopianFromDayNumber, EthiopianToDayNumber, {{2017, 1, 1}, {2024, 9, 11}});
  ExpectBothWays(EthiopianFromDayNumber, EthiopianToDayNumber, {{2016, 1, 1}, {2023, 9, 12}});  // after leap year 2015
  ExpectBothWays(EthiopianFromDayNumber, EthiopianToDayNumber, {{2017, 4, 29}, {2025, 1, 7}});  // Genna, 29 Tahsas
  ExpectBothWays(CopticFromDayNumber, CopticToDayNumber, {{1741, 4, 29}, {2025, 1, 7}});        // Christmas, 29 Koiak
}

// The Gazette of India's calendar: the reform took effect on 1 Chaitra 1879 (22 March 1957).
TEST(IndianNationalPublished, FirstDaysOfChaitra) {
  ExpectBothWays(IndianNationalFromDayNumber, IndianNationalToDayNumber, {{1879, 1, 1}, {1957, 3, 22}});
  ExpectBothWays(IndianNationalFromDayNumber, IndianNationalToDayNumber, {{1946, 1, 1}, {2024, 3, 21}});
  ExpectBothWays(IndianNationalFromDayNumber, IndianNationalToDayNumber, {{1947, 1, 1}, {2025, 3, 22}});
  ExpectBothWays(IndianNationalFromDayNumber, IndianNationalToDayNumber, {{1946, 1, 31}, {2024, 4, 20}});
  ExpectBothWays(IndianNationalFromDayNumber, IndianNationalToDayNumber, {{1946, 10, 1}, {2024, 12, 22}});
}

TEST(MayanPublished, CreationAndTheEndOfTheThirteenthBaktun) {
  EXPECT_EQ(LongCountFromDayNumber(584283), (LongCount{0, 0, 0, 0, 0}));
  EXPECT_EQ(TzolkinOf(584283), (Tzolkin{4, 20}));  // 4 Ahau
  EXPECT_EQ(HaabOf(584283), (Haab{8, 18}));        // 8 Cumku
  const int32_t end = static_cast<int32_t>(DayNumberOf({2012, 12, 21}));
  EXPECT_EQ(end, 2456283);
  EXPECT_EQ(LongCountFromDayNumber(end), (LongCount{13, 0, 0, 0, 0}));
  EXPECT_EQ(LongCountToDayNumber({13, 0, 0, 0, 0}), end);
  EXPECT_EQ(TzolkinOf(end), (Tzolkin{4, 20}));  // 4 Ahau
  EXPECT_EQ(HaabOf(end), (Haab{3, 14}));        // 3 Kankin
  EXPECT_EQ(LongCountFromDayNumber(end - 1), (LongCount{12, 19, 19, 17, 19}));
  EXPECT_EQ(LongCountFromDayNumber(584283 - 1), (LongCount{-1, 19, 19, 17, 19}));
}

}  // namespace
}  // namespace qv
