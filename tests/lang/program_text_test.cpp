#include "lang/program_text.h"
#include "support/printing.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace qv {
namespace {

namespace fs = std::filesystem;

using test::TempFolder;

std::string Lines(int count, const std::string& line) {
  std::string s;
  for (int i = 0; i < count; ++i) s += line + "\n";
  return s;
}

struct LoadCase {
  const char* name;
  std::string content;
  int32_t expected;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class LoadCodes : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadCodes, ResultOfLoad) {
  TempFolder folder;
  ProgramTextStore store;
  EXPECT_EQ(store.Load(folder.Write("t.dat", GetParam().content)), GetParam().expected);
}

const std::string kLongest(1024, 'x');

INSTANTIATE_TEST_SUITE_P(
    Files, LoadCodes,
    ::testing::Values(
        LoadCase{"EmptyFile", "", -6}, LoadCase{"OnlyCommentsAndBlanks", "# c\n\n \t\n  # d\n", 0},
        LoadCase{"TwoTexts", "1|en|A\n1|de|B\n", 2}, LoadCase{"CrLfAndNoFinalBreak", "1|en|A\r\n# x\r\n1|de|B", 2},
        LoadCase{"ByteOrderMark", "\xEF\xBB\xBF" "1|en|A\n", 1},
        LoadCase{"SpacesAroundFields", " 12 | de |B\n-7|fr|C\n", 2},
        LoadCase{"DuplicateAtLine3", "1|en|A\n\n1|en|B\n", -1503},
        LoadCase{"SameNumberOtherLanguageIsNoDuplicate", "1|en|A\n1|es|B\n", 2},
        LoadCase{"EmptyTextAtLine1", "1|en|\n", -501}, LoadCase{"NoTextColumnAtLine2", "# c\n5|de\n", -502},
        LoadCase{"NoSeparatorAtLine1", "1 en text\n", -501}, LoadCase{"NonNumericNumber", "abc|en|x\n", -501},
        LoadCase{"NumberBeyond16Bits", "1|en|a\n32768|en|x\n", -502}, LoadCase{"Lowest16BitNumber", "-32768|en|x\n", 1},
        LoadCase{"PlusSignIsNoNumber", "+5|en|x\n", -501}, LoadCase{"LoneMinusIsNoNumber", "-|en|x\n", -501},
        LoadCase{"LeadingZeros", "007|en|x\n", 1}, LoadCase{"Below16Bits", "-32769|en|x\n", -501},
        LoadCase{"UnknownLanguage", "1|xx|x\n", -501}, LoadCase{"EmptyNumber", "|en|x\n", -501},
        LoadCase{"LongestTextFits", "1|en|" + kLongest + "\n", 1},
        LoadCase{"TooLongAtLine3", "#\n\n1|en|" + kLongest + "y\n", -1003},
        LoadCase{"EscapesCountAsOneCharacter", "1|en|" + std::string(1022, 'x') + "\\n\\\\\n", 1},
        LoadCase{"MissingStringAtLastLineAllowed", Lines(499, "#") + "1|en|\n", -1000},
        LoadCase{"TooLongAtLastLineAllowed", Lines(499, "#") + "1|en|" + kLongest + "y\n", -1500},
        LoadCase{"DuplicateAtLastLineAllowed", "1|en|a\n" + Lines(498, "#") + "1|en|b\n", -2000},
        LoadCase{"FiveHundredLinesFit", Lines(499, "#") + "1|en|a\n", 1},
        LoadCase{"TooManyLines", Lines(501, "#"), -3},
        LoadCase{"TooMuchTextAltogether", [] {
                   std::string s;
                   for (int i = 0; i < 300; ++i) s += std::to_string(i) + "|en|" + std::string(1000, 'x') + "\n";
                   return s;
                 }(),
                 -3},
        LoadCase{"FileOverOneMebibyte", std::string(1024 * 1024 + 1, '#'), -3}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

TEST(LoadFailure, MissingFileCannotBeOpened) {
  TempFolder folder;
  ProgramTextStore store;
  EXPECT_EQ(store.Load(folder.Path() + "/absent.dat"), -1);
}

TEST(LoadFailure, FolderCannotBeRead) {
  TempFolder folder;
  ProgramTextStore store;
  EXPECT_EQ(store.Load(folder.Path()), -7);
}

TEST(LoadFailure, FailedLoadLeavesStoreEmpty) {
  TempFolder folder;
  ProgramTextStore store;
  ASSERT_EQ(store.Load(folder.Write("good.dat", "1|en|A\n")), 1);
  EXPECT_EQ(store.Load(folder.Write("bad.dat", "2|en|B\n3|en|\n")), -502);
  EXPECT_EQ(GetProgramText(store, 1, Language::English), "");
  EXPECT_EQ(GetProgramText(store, 2, Language::English), "");
}

class LoadedStore : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(store.Load(folder.Write("t.dat",
                                      "1|en|Quorvan\r\n1|de|Quorvan DE\r\n2|en|~\r\n2|de|~~\r\n"
                                      "3|en|a|b\r\n4|en|x\\ny\\r\\tz\\\\w\\q\r\n")),
              6);
  }
  TempFolder folder;
  ProgramTextStore store;
};

TEST_F(LoadedStore, LookupByNumberAndLanguage) {
  EXPECT_EQ(GetProgramText(store, 1, Language::English), "Quorvan");
  EXPECT_EQ(GetProgramText(store, 1, Language::German), "Quorvan DE");
  EXPECT_EQ(GetProgramText(store, 1, static_cast<Language>(2)), "");   // language not in the file
  EXPECT_EQ(GetProgramText(store, 99, Language::English), "");  // number not in the file
  EXPECT_EQ(GetProgramText(store, -1, Language::English), "");
}

TEST_F(LoadedStore, TildeMarksEmptyText) {
  char stored[4] = {};
  EXPECT_EQ(store.Get(2, 0, stored, 4), 1);  // the store keeps the mark; the lookup reads it
  EXPECT_STREQ(stored, "~");
  EXPECT_EQ(GetProgramText(store, 2, Language::English), "");
  EXPECT_EQ(GetProgramText(store, 2, Language::German), "~~");
}

TEST_F(LoadedStore, TextKeptAfterSecondSeparatorWithEscapes) {
  EXPECT_EQ(GetProgramText(store, 3, Language::English), "a|b");
  EXPECT_EQ(GetProgramText(store, 4, Language::English), "x\ny\r\tz\\w\\q");
}

TEST_F(LoadedStore, GetHonoursBufferSize) {
  char buffer[8] = {'#', '#', '#', '#', '#', '#', '#', '#'};
  EXPECT_EQ(store.Get(1, 0, buffer, 3), 3);
  EXPECT_EQ(std::string(buffer, 4), "Quo#");
  EXPECT_EQ(store.Get(1, 0, buffer, 8), 7);
  EXPECT_STREQ(buffer, "Quorvan");
  EXPECT_EQ(store.Get(99, 0, buffer, 8), 0);
  EXPECT_LT(store.Get(1, 0, nullptr, 8), 0);
  EXPECT_LT(store.Get(1, 0, buffer, 0), 0);
  EXPECT_LT(store.Get(1, 0, buffer, -5), 0);
}

struct MessageCase {
  int32_t code;
  const char* expected;
};

class FailureMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(FailureMessages, Wording) { EXPECT_EQ(LoadFailureMessage(GetParam().code, "/p/qrv_e.dat"), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Codes, FailureMessages,
    ::testing::Values(MessageCase{0, "No program text was read."},
                      MessageCase{-1, "Cannot open file containing program text.\r\n/p/qrv_e.dat"},
                      MessageCase{-2, "Particular memory allocation error."}, MessageCase{-3, "Too much program text."},
                      MessageCase{-4, "Text not recovered."}, MessageCase{-5, "Error -5"},
                      MessageCase{-6, "File is empty."}, MessageCase{-7, "Error reading file."},
                      MessageCase{-8, "General memory allocation error."}, MessageCase{-9, "Error -9"},
                      MessageCase{-500, "Error -500"}, MessageCase{-501, "Missing string at line 1."},
                      MessageCase{-1000, "Missing string at line 500."},
                      MessageCase{-1001, "String too long at line 1."},
                      MessageCase{-1003, "String too long at line 3."},
                      MessageCase{-1500, "String too long at line 500."},
                      MessageCase{-1501, "Duplicate in program text at line 1."},
                      MessageCase{-1512, "Duplicate in program text at line 12."},
                      MessageCase{INT32_MIN, "Duplicate in program text at line 2147482148."},
                      MessageCase{1, ""}, MessageCase{INT32_MAX, ""}));

struct PathCase {
  const char* folder;
  const char* expected;
};
class ProgramTextPaths : public ::testing::TestWithParam<PathCase> {};
TEST_P(ProgramTextPaths, JoinsWithOneSeparator) {
  EXPECT_EQ(ProgramTextPath(GetParam().folder, "qrv_e.dat"), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Folders, ProgramTextPaths,
                         ::testing::Values(PathCase{"/opt/q", "/opt/q/qrv_e.dat"}, PathCase{"/", "/qrv_e.dat"},
                                           PathCase{"/opt/q/", "/opt/q/qrv_e.dat"}, PathCase{"", "qrv_e.dat"}));

TEST(LoadProgramText, MissingFileMessageNamesFullPath) {
  TempFolder folder;
  ProgramTextStore store;
  const LoadResult result = LoadProgramText(store, folder.Path() + "/", "qrv_e.dat");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, "Cannot open file containing program text.\r\n" + folder.Path() + "/qrv_e.dat");
}

TEST(LoadProgramText, DuplicateReportsItsLine) {
  TempFolder folder;
  folder.Write("qrv_e.dat", "# head\n1|en|A\n1|de|B\n1|en|C\n");
  ProgramTextStore store;
  const LoadResult result = LoadProgramText(store, folder.Path(), "qrv_e.dat");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, "Duplicate in program text at line 4.");
}

TEST(FindProgramTextFolder, PrefersExecutableFolderThenInstalledShare) {
  TempFolder folder;
  const std::string bin = folder.Path() + "/bin";
  fs::create_directories(bin);
  EXPECT_EQ(FindProgramTextFolder(bin), bin);
  folder.Write("share/quorvan/qrv_e.dat", "1|en|A\n");
  EXPECT_EQ(FindProgramTextFolder(bin), bin + "/../share/quorvan");
  folder.Write("bin/qrv_e.dat", "1|en|A\n");
  EXPECT_EQ(FindProgramTextFolder(bin), bin);
}

std::string ShippedDataFolder() {
  if (const char* dir = std::getenv("QUORVAN_DATA_DIR"); dir != nullptr && *dir != '\0') {
    return dir;
  }
  return (fs::path(__FILE__).parent_path() / ".." / ".." / "data").string();
}

TEST(ShippedProgramText, LoadsAndHoldsEveryUsedNumberInBothLanguages) {
  ProgramTextStore store;
  const LoadResult result = LoadProgramText(store, ShippedDataFolder(), kProgramTextFileName);
  ASSERT_TRUE(result.ok) << result.message;
  for (const int number : {1, 13, 14, 15, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 150, 156, 157, 185, 310, 424,
                          428, 429}) {
    for (const Language language : {Language::English, Language::German}) {
      const std::string text = GetProgramText(store, static_cast<int16_t>(number), language);
      EXPECT_FALSE(text.empty()) << number << "/" << language;
      for (const char c : text) {
        // One line each, plain ASCII (German without umlauts).
        EXPECT_TRUE(c >= 0x20 && c < 0x7F) << number << "/" << language << ": " << text;
      }
    }
  }
  EXPECT_EQ(GetProgramText(store, 1, Language::English), "Quorvan");
  // The data folder must not move with the language.
  EXPECT_EQ(GetProgramText(store, 310, Language::English), GetProgramText(store, 310, Language::German));
}

}  // namespace
}  // namespace qv
