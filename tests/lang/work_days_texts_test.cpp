// The note beside "Working days…" and the short work-week texts it is made of.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "lang/work_days_texts.h"

namespace qv {
namespace {

struct WeekCase {
  uint8_t mask;  // bit 0 = Monday … bit 6 = Sunday
  const char* english;
  const char* german;
};

void PrintTo(const WeekCase& c, std::ostream* out) { *out << '"' << c.english << '"'; }

class WorkWeekText : public ::testing::TestWithParam<WeekCase> {};

TEST_P(WorkWeekText, NamesRunsFromTheirFirstDayAndOtherSetsDayByDay) {
  const WeekCase& c = GetParam();
  EXPECT_EQ(WorkWeekShortText(c.mask, Language::English), c.english);
  EXPECT_EQ(WorkWeekShortText(c.mask, Language::German), c.german);
}

INSTANTIATE_TEST_SUITE_P(
    Weeks, WorkWeekText,
    ::testing::Values(WeekCase{0b0011111, "Mon–Fri", "Mo–Fr"}, WeekCase{0b1001111, "Sun–Thu", "So–Do"},
                      WeekCase{0b1100000, "Sat–Sun", "Sa–So"}, WeekCase{0b1000001, "Sun–Mon", "So–Mo"},
                      WeekCase{0b1111111, "Mon–Sun", "Mo–So"}, WeekCase{0b0111111, "Mon–Sat", "Mo–Sa"},
                      WeekCase{0b0100000, "Sat", "Sa"}, WeekCase{0b0001011, "Mon, Tue, Thu", "Mo, Di, Do"},
                      WeekCase{0b1010101, "Mon, Wed, Fri, Sun", "Mo, Mi, Fr, So"}, WeekCase{0, "", ""},
                      WeekCase{0b10011111, "Mon–Fri", "Mo–Fr"}));  // a bit beyond Sunday is no day

struct NoteCase {
  uint8_t mask;
  const char* region;
  std::size_t files;
  const char* english;
  const char* german;
};

void PrintTo(const NoteCase& c, std::ostream* out) { *out << '"' << c.english << '"'; }

class WorkDaysNote : public ::testing::TestWithParam<NoteCase> {};

TEST_P(WorkDaysNote, SaysWhatIsInForceAndNothingForTheDefaults) {
  const NoteCase& c = GetParam();
  EXPECT_EQ(WorkDaysNoteText(c.mask, c.region, c.files, Language::English), c.english);
  EXPECT_EQ(WorkDaysNoteText(c.mask, c.region, c.files, Language::German), c.german);
}

INSTANTIATE_TEST_SUITE_P(Notes, WorkDaysNote,
                         ::testing::Values(NoteCase{0b0011111, "", 0, "", ""},
                                           NoteCase{0b0011111, "DE-BY", 0, "Mon–Fri, DE-BY", "Mo–Fr, DE-BY"},
                                           NoteCase{0b1001111, "", 0, "Sun–Thu", "So–Do"},
                                           NoteCase{0b0011111, "", 1, "Mon–Fri, 1 file", "Mo–Fr, 1 Datei"},
                                           NoteCase{0b0111111, "AT", 2, "Mon–Sat, AT, 2 files", "Mo–Sa, AT, 2 Dateien"}));

// While "Count weekend days" is ticked the choice is named and said to be set aside; the defaults
// still say nothing.
TEST(WorkDaysNote, SaysWhenWeekendDaysAreCounted) {
  EXPECT_EQ(WorkDaysNoteText(0b0011111, "DE-BY", 0, Language::English, WeekendDays::Counted),
            "Mon–Fri, DE-BY (not counted while weekend days are counted)");
  EXPECT_EQ(WorkDaysNoteText(0b0111111, "", 2, Language::German, WeekendDays::Counted),
            "Mo–Sa, 2 Dateien (nicht berücksichtigt, solange Wochenendtage gezählt werden)");
  EXPECT_EQ(WorkDaysNoteText(0b0011111, "", 0, Language::English, WeekendDays::Counted), "");
  EXPECT_EQ(WorkDaysNoteText(0b0011111, "AT", 0, Language::English, WeekendDays::NotCounted), "Mon–Fri, AT");
}

TEST(WorkDaysTexts, EveryEntryInBothLanguages) {
  for (std::size_t i = 0; i < kWorkDaysTextCount; ++i) {
    const auto entry = static_cast<WorkDaysText>(i);
    EXPECT_FALSE(WorkDaysTextOf(entry, Language::English).empty());
    EXPECT_FALSE(WorkDaysTextOf(entry, Language::German).empty());
    EXPECT_EQ(WorkDaysTextOf(entry, static_cast<Language>(7)), WorkDaysTextOf(entry, Language::English)) << "an unknown language reads English";
  }
}

}  // namespace
}  // namespace qv
