// The rows of the calendar table that the readers, writers and months mode ask: the labels
// their users read for a month's place, the ranges a calendar converts, and which calendars are
// available.
#include <gtest/gtest.h>

#include "calendar/added_calendars.h"
#include "calendar/calendar_codes.h"
#include "calendar/japanese.h"
#include "calendar/minguo_thai.h"
#include "support/calendar_date_printing.h"

namespace qv {
namespace {

// The rows of the era calendars give the labels their users read, and refuse what lies before
// the calendar's first day.
TEST(EraCalendarRows, LabelsAndRanges) {
  const AddedCalendarRules& thai = *AddedCalendarRulesOf(cal::THA);
  EXPECT_EQ(MonthLabelOf(thai, 2482, 12), (MonthLabel{3, false}));
  EXPECT_EQ(MonthPlaceOf(thai, 2482, {3, false}), 12);
  EXPECT_EQ(MonthPlaceOf(thai, 2483, {3, false}), 0);
  EXPECT_EQ(MonthPlaceOf(thai, 2484, {3, true}), 0);
  EXPECT_TRUE(IsDayInRange(thai, kThaiFirstDay));
  EXPECT_FALSE(IsDayInRange(thai, kThaiFirstDay - 1));
  EXPECT_EQ(YearsInRange(thai).first, 2432);
  EXPECT_FALSE(IsValidAddedDate(thai, {2431, 12, 31}));
  EXPECT_TRUE(IsValidAddedDate(thai, {2432, 12, 31}));

  const AddedCalendarRules& japanese = *AddedCalendarRulesOf(cal::JPN);
  EXPECT_FALSE(AddedDateOf(japanese, kJapaneseFirstDay - 1).has_value());
  EXPECT_EQ(AddedDateOf(japanese, kJapaneseFirstDay), (CalendarDate{1873, 1, 1}));
  EXPECT_EQ(YearsInRange(*AddedCalendarRulesOf(cal::ROC)).first, 1);
  EXPECT_FALSE(HasNarrowRange(*AddedCalendarRulesOf(cal::RJU)));

  // The Bahá'í naming is a fixed rule of places: Ayyám-i-Há, between the 18th and 19th months, is 0.
  EXPECT_EQ(BahaiMonthLabel(182, 19), (MonthLabel{0, false}));
  EXPECT_EQ(BahaiMonthLabel(182, 20), (MonthLabel{19, false}));
  EXPECT_EQ(BahaiMonthPlace(182, {0, false}), 19);
  EXPECT_EQ(BahaiMonthPlace(182, {19, false}), 20);
  EXPECT_EQ(BahaiMonthPlace(182, {20, false}), 0);
}

// The calendars whose arithmetic is not there yet are codes without rows, and not available:
// Umm al-Qura waits for its published table.
TEST(EraCalendarRows, AvailableCalendars) {
  for (const CalendarCode code : {cal::CE, cal::HEB, cal::MAY, cal::IND, cal::CHN, cal::KOR, cal::VNM, cal::BAH,
                                  cal::JPN, cal::ROC, cal::THA, cal::RJU}) {
    EXPECT_TRUE(IsAvailableCalendar(code)) << code;
  }
  EXPECT_FALSE(IsAvailableCalendar(cal::UMQ));
  EXPECT_EQ(AvailableAddedCalendars().size(), 16U);  // with the Mayan long count
  EXPECT_FALSE(IsAvailableCalendar(-1));
  EXPECT_FALSE(IsAvailableCalendar(cal::kCount));
}

}  // namespace
}  // namespace qv
