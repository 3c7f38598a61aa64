// The settings file against what happens to it outside the program: single-byte texts from
// older files, outputs too large for the reader, symbolic links, saves killed half-way, files
// that start-up refuses.
#include <errno.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <fcntl.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "settings/atomic_file.h"
#include "settings/settings_file.h"
#include "settings/settings_notices.h"
#include "settings/settings_storage.h"
#include "settings/stored_text.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::Slurp;
using test::Spit;
using test::TempFolder;

std::string AllHighBytes() {
  std::string bytes;
  for (int b = 0x80; b <= 0xFF; ++b) bytes.push_back(static_cast<char>(b));
  return bytes;
}

// ---- Texts that are not UTF-8 ----------------------------------------------------------------

TEST(IsUtf8, AcceptsWellFormedAndRefusesEverythingElse) {
  const std::pair<std::string, bool> cases[] = {
      {"", true},
      {"plain ASCII\r\n", true},
      {"\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80", true},  // ä € and a character beyond U+FFFF
      {"\xF4\x8F\xBF\xBF", true},                      // U+10FFFF
      {"\xEF\xBF\xBD", true},                          // U+FFFD itself
      {"\xE9t\xE9", false},                            // été in Windows-1252
      {"\xC0\x80", false},                             // an overlong NUL
      {"\xE0\x80\xAF", false},                         // an overlong slash
      {"\xED\xA0\x80", false},                         // a UTF-16 surrogate
      {"\xF4\x90\x80\x80", false},                     // above U+10FFFF
      {"\xC3", false},                                 // cut short
      {"\xE2\x82", false},
      {"\x80", false},                                 // a continuation byte alone
      {"\xF8\x88\x80\x80\x80", false},                 // a five-byte form
      {"\xFF", false},
  };
  for (const auto& [bytes, valid] : cases) EXPECT_EQ(IsValidUtf8(bytes), valid) << bytes;
}

TEST(Windows1252, EveryByteHasACharacterAndComesBack) {
  std::string all;
  for (int b = 0; b <= 0xFF; ++b) all.push_back(static_cast<char>(b));
  const std::string utf8 = Windows1252ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToWindows1252(utf8), all);
  const std::pair<std::string, std::string> characters[] = {
      {"\x80", "\xE2\x82\xAC"}, {"\x81", "\xC2\x81"}, {"\x9F", "\xC5\xB8"},
      {"\xA0", "\xC2\xA0"},     {"\xE9", "\xC3\xA9"}, {"\xFF", "\xC3\xBF"},
  };
  for (const auto& [byte, character] : characters) EXPECT_EQ(Windows1252ToUtf8(byte), character);
  // Characters outside the code page, and C1 controls it has no byte for, cannot be written so.
  EXPECT_EQ(Utf8ToWindows1252("\xE6\x97\xA5"), std::nullopt);
  EXPECT_EQ(Utf8ToWindows1252("\xC2\x80"), std::nullopt);
  EXPECT_EQ(Utf8ToWindows1252("\xE9"), std::nullopt);  // not UTF-8 to begin with
}

// A text kept in Windows-1252 is converted where it lies; one character the code page lacks,
// wherever it stands, keeps the whole text as it was (not half converted).
TEST(EncodeStoredText, SingleBytesWhereEveryCharacterHasOneElseUnchanged) {
  const std::string long_text = std::string(100'000, 'x') + "\xC3\xA9" + std::string(100'000, 'y');
  const std::string long_single = std::string(100'000, 'x') + "\xE9" + std::string(100'000, 'y');
  struct Case {
    std::string utf8;
    std::string single;  // what a Windows-1252 file keeps
  };
  const Case cases[] = {
      {"", ""},
      {"2008-01-01 CE\r\n", "2008-01-01 CE\r\n"},
      {"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\xC5\xB8", "\xE9t\xE9 \x80\x9F"},                 // été €Ÿ
      {"\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC", "\x80\x80\x80"},                         // three bytes to one
      {long_text, long_single},
      {"\xC3\xA9\xE6\x97\xA5", "\xC3\xA9\xE6\x97\xA5"},                                   // 日 at the end
      {"\xE6\x97\xA5\xC3\xA9", "\xE6\x97\xA5\xC3\xA9"},                                   // 日 first
      {long_text + "\xF0\x9F\x98\x80", long_text + "\xF0\x9F\x98\x80"},                     // beyond U+FFFF
      {"\xE9t\xE9", "\xE9t\xE9"},                                                         // not UTF-8: as it is
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeStoredText(c.utf8, TextEncoding::Windows1252), c.single) << c.utf8.substr(0, 20);
    EXPECT_EQ(EncodeStoredText(c.utf8, TextEncoding::Utf8), c.utf8) << c.utf8.substr(0, 20);
  }
}

// A file whose boxes and output hold every byte from 0x80 to 0xFF is written back byte for
// byte after it was read and applied; a UTF-8 file stays UTF-8.
TEST(SettingsRoundTrip, SingleByteTextsSurviveReadingAndWritingByteForByte) {
  StoredSettings s;
  s.first_date = "31" + AllHighBytes().substr(0, 8);
  s.date_difference = "\xA0" "5";
  s.second_date = "\xFF";
  s.output = "before\r\n" + AllHighBytes() + "\r\nafter \xE9t\xE9\r\n";
  const std::string file = FormatSettingsFile(s);
  SettingsReadResult read = ParseSettingsText(file);
  ASSERT_EQ(read.status, SettingsReadStatus::Complete);
  const SettingsChoices choices = InterpretSettings(read.settings);
  EXPECT_TRUE(IsValidUtf8(choices.output));
  EXPECT_EQ(choices.encodings.output, TextEncoding::Windows1252);
  EXPECT_NE(choices.output.find("\xE2\x82\xAC"), std::string::npos);  // 0x80 shows as the euro sign
  EXPECT_EQ(FormatSettingsFile(StoreSettings(choices)), file);

  StoredSettings utf8;
  utf8.output = "\xC3\xA4\xE2\x82\xAC\r\n";
  const SettingsChoices unchanged = InterpretSettings(utf8);
  EXPECT_EQ(unchanged.encodings, BoxTextEncodings{});
  EXPECT_EQ(unchanged.output, utf8.output);
  EXPECT_EQ(StoreSettings(unchanged), utf8);

  // A single-byte output that gains a character the code page lacks is written in UTF-8.
  SettingsChoices grown = choices;
  grown.output += "\xE6\x97\xA5";
  EXPECT_TRUE(IsValidUtf8(StoreSettings(grown).output));
}

// ---- Outputs the reader would refuse ---------------------------------------------------------

TEST(FormattedSize, IsTheSizeOfTheText) {
  StoredSettings samples[4];
  samples[1].language = -2147483647 - 1;
  samples[1].first_calendar = 2147483647;
  samples[1].output = "a \"quoted\" line\r\n";
  samples[2] = samples[1];
  samples[2].save_output = 0;
  samples[3].first_date = std::string(1000, '"');
  for (const StoredSettings& s : samples) EXPECT_EQ(FormattedSize(s), FormatSettingsFile(s).size());
}

TEST(FitSavedOutput, KeepsTheNewestWholeLinesAndSaysSoOnce) {
  const std::string note = "NOTE";
  const auto lines = [](std::initializer_list<const char*> parts) {
    std::string text;
    for (const char* part : parts) text += std::string(part) + "\r\n";
    return text;
  };
  const std::size_t fixed = FormattedSize(StoredSettings{});  // the file with an empty output
  struct Case {
    std::string output;
    std::size_t room;  // bytes the limit leaves for line 14's text beyond the empty file
    bool cut;
    std::string kept;
  };
  const Case cases[] = {
      {lines({"one", "two"}), 10, false, lines({"one", "two"})},                 // fits: unchanged
      {lines({"one", "two", "three"}), 13, true, lines({"three", "NOTE"})},     // 7 + 6 of room
      {lines({"one one", "two", "three"}), 18, true, lines({"two", "three", "NOTE"})},
      {lines({"zzzzzzzzzz", "a\"b", "c"}), 14, true, lines({"c", "NOTE"})},      // a quote counts twice
      {lines({"x", "NOTE", "y", "NOTE", "z"}), 16, true, lines({"x", "y", "z", "NOTE"})},
      {"one one one one\r\nlast", 14, true, "last\r\nNOTE\r\n"},                  // a last line without its end
      {lines({"a very long single line"}), 7, true, lines({"NOTE"})},
      {lines({"one"}), 4, true, ""},                                             // not even the note fits
      {lines({"xxxxxxxx", "NOTE", "ab", "cd"}), 14, true, lines({"ab", "cd", "NOTE"})},  // a note oldest kept
      {lines({"abcdef", "NOTE", "cd"}), 10, true, lines({"cd", "NOTE"})},                // a note where it is cut
      {lines({"zzzzzzzz", "a\rb", "c\n", "d"}), 19, true, lines({"a\rb", "c\n", "d", "NOTE"})},  // lone CR, LF
      {lines({"a\rbbbb", "c\nd", "e"}), 14, true, lines({"c\nd", "e", "NOTE"})},
  };
  for (const Case& c : cases) {
    StoredSettings s;
    s.output = c.output;
    const std::size_t limit = fixed + c.room;
    EXPECT_EQ(FitSavedOutput(s, note, {note, "OTHER"}, limit), c.cut) << c.output;
    EXPECT_EQ(s.output, c.kept) << c.output;
    if (!c.kept.empty()) {
      EXPECT_LE(FormattedSize(s), limit) << c.output;
    }
  }
  StoredSettings not_saved;
  not_saved.save_output = 0;
  not_saved.output = lines({"one", "two"});
  EXPECT_FALSE(FitSavedOutput(not_saved, note, {note}, fixed));
}

// Random outputs and limits: whatever is cut fits, ends with the note, and is a run of the
// newest lines of the output.
TEST(FitSavedOutput, AnyCutFitsAndIsASuffixOfWholeLines) {
  std::mt19937 generator(12u);
  const std::string_view note = kOutputCutNotes[0];
  for (int round = 0; round < 200; ++round) {
    StoredSettings s;
    const int count = static_cast<int>(generator() % 40);
    for (int line = 0; line < count; ++line) {
      s.output += std::string(generator() % 30, static_cast<char>(generator() % 2 == 0 ? 'x' : '"')) + "\r\n";
    }
    const std::string original = s.output;
    const std::size_t limit = FormattedSize(StoredSettings{}) + generator() % 400;
    if (!FitSavedOutput(s, note, {note}, limit)) {
      EXPECT_LE(FormattedSize(s), limit);
      continue;
    }
    if (s.output.empty()) continue;
    EXPECT_LE(FormattedSize(s), limit);
    const std::string suffix = std::string(note) + "\r\n";
    ASSERT_GE(s.output.size(), suffix.size());
    EXPECT_EQ(s.output.substr(s.output.size() - suffix.size()), suffix);
    const std::string kept = s.output.substr(0, s.output.size() - suffix.size());
    EXPECT_EQ(original.substr(original.size() - kept.size()), kept);
    EXPECT_TRUE(kept.empty() || original.size() == kept.size() || original[original.size() - kept.size() - 1] == '\n');
  }
}

// The file is written in pieces as it is made; on the disk it is the formatted text byte for
// byte, also where quotes and line ends fall on the borders between the pieces.
TEST(WriteSettingsFile, WritesTheFormattedTextByteForByte) {
  TempFolder folder;
  const std::string path = folder.File("qrv.usr");
  std::string quotes_everywhere;
  for (int i = 0; i < 300'000; ++i) quotes_everywhere += i % 7 == 0 ? "\"" : i % 11 == 0 ? "\r\n" : "x";
  std::vector<StoredSettings> samples(6);
  samples[1].output = std::string(65'535, 'a') + "\"\"" + std::string(65'536, 'b');
  samples[2].output = quotes_everywhere;
  samples[2].first_date = std::string(70'000, '"');
  samples[3] = samples[2];
  samples[3].save_output = 0;
  samples[4].output = std::string(3 << 20, 'z');
  samples[5].first_day_of_week = "Mon";
  samples[5].output = "\"";
  for (const StoredSettings& s : samples) {
    ASSERT_TRUE(WriteSettingsFile(path, s));
    EXPECT_EQ(Slurp(path), FormatSettingsFile(s)) << s.output.size();
  }
}

std::size_t EntriesIn(const std::string& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// A file made in pieces is on the disk as the pieces in order; a piece that cannot be written
// (a full disk, say) keeps the old file whole and leaves no temporary file beside it, however
// much of the new one was written already.
TEST(WriteFileAtomically, ThePiecesInOrderOrTheOldFileWhole) {
  struct Case {
    std::vector<std::string> pieces;
    int failing_piece;  // the piece that cannot be written, or -1
  };
  const Case cases[] = {
      {{}, -1},                                                  // an empty file
      {{"", "abc", ""}, -1},                                     // empty pieces add nothing
      {{"head\r\n", std::string(1 << 20, 'x'), "\r\n0\r\n"}, -1},  // one piece larger than the rest
      {{"head\r\n"}, 0},                                         // nothing written
      {{"head\r\n", std::string(1 << 20, 'x'), "tail"}, 2},      // most of it written first
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const std::string path = folder.File("qrv.usr");
    Spit(path, "old");
    std::string whole;
    const FileWriteResult result = WriteFileAtomically(path, [&c, &whole](const WritePiece& write) {
      for (std::size_t i = 0; i < c.pieces.size(); ++i) {
        if (static_cast<int>(i) == c.failing_piece) {
          errno = ENOSPC;
          return false;
        }
        if (!write(c.pieces[i])) return false;
        whole += c.pieces[i];
      }
      return true;
    });
    const bool fails = c.failing_piece >= 0;
    EXPECT_EQ(result.ok, !fails) << whole.size();
    EXPECT_EQ(result.error, fails ? ENOSPC : 0) << whole.size();
    EXPECT_EQ(Slurp(path), fails ? "old" : whole) << whole.size();
    EXPECT_EQ(EntriesIn(folder.Path()), 1u) << whole.size();
  }
}

// A new file is private unless it is made to be shared: then the umask decides, as for any file
// the user's programs make. A file that is replaced keeps its bits either way.
TEST(WriteFileAtomically, NewFilesPrivateOrByTheUmask) {
  struct Case {
    mode_t umask;
    NewFileAccess access;
    unsigned expected;
  };
  const Case cases[] = {
      {022, NewFileAccess::OwnerOnly, 0600}, {022, NewFileAccess::ByUmask, 0644}, {002, NewFileAccess::ByUmask, 0664},
      {077, NewFileAccess::ByUmask, 0600},   {027, NewFileAccess::ByUmask, 0640}, {0, NewFileAccess::OwnerOnly, 0600},
  };
  const mode_t before = ::umask(022);
  for (const Case& c : cases) {
    ::umask(c.umask);
    EXPECT_EQ(CurrentUmask(), static_cast<unsigned>(c.umask));
    EXPECT_EQ(CurrentUmask(), static_cast<unsigned>(c.umask)) << "reading the mask leaves it as it is";
    TempFolder folder;
    const std::string path = folder.File("holidays.ics");
    ASSERT_TRUE(WriteFileAtomically(path, "BEGIN:VCALENDAR\r\n", c.access));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, c.expected) << std::oct << c.umask;
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "again", c.access));
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0604u) << "a replaced file keeps its permissions";
  }
  ::umask(before);
}

// The disk takes only part of a large saved output (here a limit on the size of files): the
// write is refused with the system's reason, the old settings stay whole, and nothing is left
// behind. In a child process, so that the limit binds nothing else.
TEST(WriteSettingsFile, ADiskThatTakesOnlyPartKeepsTheOldFile) {
  TempFolder folder;
  const std::string path = folder.File("qrv.usr");
  StoredSettings old_settings;
  old_settings.output = "kept\r\n";
  ASSERT_TRUE(WriteSettingsFile(path, old_settings));
  const std::string before = Slurp(path);
  StoredSettings large;
  large.output.assign(3 << 20, 'z');
  const auto refused_and_kept = [&] {
    std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit fails with EFBIG instead
    const rlimit limit{200'000, 200'000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const SettingsWriteResult result = WriteSettingsFile(path, large);
    return !result.ok && result.error == EFBIG && Slurp(path) == before && EntriesIn(folder.Path()) == 1;
  };
  EXPECT_EXIT(std::_Exit(refused_and_kept() ? 0 : 1), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(Slurp(path), before);
}

TEST(WriteSettingsFile, NeverWritesWhatTheReaderRefuses) {
  TempFolder folder;
  const std::string path = folder.File("qrv.usr");
  Spit(path, "old");
  StoredSettings huge;
  huge.output.assign(kMaxSettingsFileBytes, 'x');
  const SettingsWriteResult result = WriteSettingsFile(path, huge);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, EFBIG);
  EXPECT_EQ(Slurp(path), "old");
  // Cut to fit, the same records are written and read back.
  ASSERT_TRUE(FitSavedOutput(huge, OutputCutNote(Language::English), {kOutputCutNotes[0], kOutputCutNotes[1]}));
  ASSERT_TRUE(WriteSettingsFile(path, huge));
  EXPECT_EQ(ReadSettingsFile(path).status, SettingsReadStatus::Complete);
}

// ---- Symbolic links --------------------------------------------------------------------------

TEST(WriteSettingsFile, WritesThroughSymbolicLinks) {
  TempFolder folder;
  fs::create_directories(folder.File("dotfiles/quorvan"));
  fs::create_directory(folder.File("config"));
  struct Case {
    const char* link_target;  // as stored in the link
    const char* file;         // where the data must land
  };
  const Case cases[] = {
      {"../dotfiles/quorvan/qrv.usr", "dotfiles/quorvan/qrv.usr"},  // relative, the target exists
      {"", "dotfiles/quorvan/absolute.usr"},                        // absolute, the target is missing
      {"chain", "dotfiles/quorvan/qrv.usr"},                        // a link to a link
  };
  Spit(folder.File("dotfiles/quorvan/qrv.usr"), "old");
  fs::permissions(folder.File("dotfiles/quorvan/qrv.usr"), fs::perms::owner_read | fs::perms::owner_write);
  for (const Case& c : cases) {
    const std::string link = folder.File("config/qrv.usr");
    fs::remove(link);
    fs::remove(folder.File("config/chain"));
    std::string target = c.link_target;
    if (target.empty()) target = folder.File(c.file);
    if (target == "chain") fs::create_symlink("../dotfiles/quorvan/qrv.usr", folder.File("config/chain"));
    fs::create_symlink(target, link);
    const SettingsWriteResult written = WriteSettingsFile(link, StoredSettings{});
    ASSERT_TRUE(written.ok) << c.file << ": " << written.error;
    EXPECT_TRUE(fs::is_symlink(link)) << c.file;
    EXPECT_EQ(fs::canonical(written.path), fs::canonical(folder.File(c.file)));
    EXPECT_EQ(ReadSettingsFile(link).status, SettingsReadStatus::Complete) << c.file;
    EXPECT_EQ(Slurp(folder.File(c.file)), FormatSettingsFile(StoredSettings{})) << c.file;
  }
  EXPECT_EQ(fs::status(folder.File("dotfiles/quorvan/qrv.usr")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  // Nothing but the two data files beside the targets, and only links and no temporary files
  // beside the link.
  std::vector<std::string> entries;
  for (const auto& entry : fs::directory_iterator(folder.File("dotfiles/quorvan"))) {
    entries.push_back(entry.path().filename().string());
  }
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"absolute.usr", "qrv.usr"}));
}

// ---- Left-over temporary files ---------------------------------------------------------------

TEST(IsTemporaryFileName, OnlyTheSavesOwnPattern) {
  const std::pair<const char*, bool> cases[] = {
      {"qrv.usr.tmp-a1B2c3", true}, {"qrv.usr.tmp-XXXXXX", true}, {"qrv.usr.tmp-12345", false},
      {"qrv.usr.tmp-1234567", false}, {"qrv.usr.tmp-12345-", false}, {"qrv.usr.tmp-12 345", false},
      {"qrv.us.tmp-123456", false},   {"xqrv.usr.tmp-123456", false}, {"qrv.usr.bak", false},
      {"qrv.usr", false},             {"qrv.usr.tmp_123456", false},
  };
  for (const auto& [name, matches] : cases) EXPECT_EQ(IsTemporaryFileName(name, "qrv.usr"), matches) << name;
  EXPECT_FALSE(IsTemporaryFileName(".tmp-123456", ""));
}

void MakeOld(const std::string& path) {
  const struct timespec old_times[2] = {{::time(nullptr) - 600, 0}, {::time(nullptr) - 600, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), old_times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

TEST(RemoveStaleTemporaryFiles, RemovesOnlyOldUnlockedFilesOfThePattern) {
  TempFolder folder;
  fs::create_directory(folder.File("target"));
  const std::string path = folder.File("qrv.usr");
  fs::create_symlink("target/real.usr", path);
  struct Entry {
    const char* name;
    bool old;
    bool removed;
  };
  const Entry entries[] = {
      {"qrv.usr.tmp-AAAAAA", true, true},     {"qrv.usr.tmp-BBBBBB", false, false},  // written just now
      {"qrv.usr.tmp-CCCCCC", true, false},    // locked: a save of another instance is going on
      {"qrv.usr.tmp-DDDDD", true, false},     {"other.tmp-EEEEEE", true, false},
      {"qrv.usr.bak", true, false},           {"target/real.usr.tmp-FFFFFF", true, true},
      {"target/qrv.usr.tmp-GGGGGG", true, false},
  };
  for (const Entry& e : entries) {
    Spit(folder.File(e.name), "partial");
    if (e.old) MakeOld(folder.File(e.name));
  }
  fs::create_directory(folder.File("qrv.usr.tmp-HHHHHH"));
  MakeOld(folder.File("qrv.usr.tmp-HHHHHH"));
  fs::create_symlink("qrv.usr.bak", folder.File("qrv.usr.tmp-IIIIII"));
  MakeOld(folder.File("qrv.usr.tmp-IIIIII"));
  const int locked = ::open(folder.File("qrv.usr.tmp-CCCCCC").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(locked, 0);
  ASSERT_EQ(::flock(locked, LOCK_EX), 0);

  EXPECT_EQ(RemoveStaleTemporaryFiles(path, std::chrono::seconds(60)), 2u);
  ::close(locked);
  for (const Entry& e : entries) EXPECT_EQ(fs::exists(folder.File(e.name)), !e.removed) << e.name;
  EXPECT_TRUE(fs::is_directory(folder.File("qrv.usr.tmp-HHHHHH")));
  EXPECT_TRUE(fs::is_symlink(folder.File("qrv.usr.tmp-IIIIII")));
  EXPECT_TRUE(fs::exists(folder.File("qrv.usr.bak")));
  // Without the lock the old file goes too; a missing folder is no error.
  EXPECT_EQ(RemoveStaleTemporaryFiles(path, std::chrono::seconds(60)), 1u);
  EXPECT_EQ(RemoveStaleTemporaryFiles(folder.File("missing/qrv.usr"), std::chrono::seconds(60)), 0u);
}

// ---- Refused files kept aside ----------------------------------------------------------------

TEST(KeepRefusedFileAside, TakesTheFirstFreeNameAndReplacesNothing) {
  TempFolder folder;
  const std::string path = folder.File("qrv.usr");
  Spit(folder.File("qrv.usr.bak"), "first");
  Spit(folder.File("qrv.usr.1.bak"), "second");
  Spit(path, "refused");
  const KeptAside kept = KeepRefusedFileAside(path);
  EXPECT_EQ(kept.outcome, KeptAside::Outcome::Kept);
  EXPECT_EQ(kept.path, folder.File("qrv.usr.2.bak"));
  EXPECT_EQ(Slurp(kept.path), "refused");
  EXPECT_EQ(Slurp(folder.File("qrv.usr.bak")), "first");
  EXPECT_EQ(Slurp(folder.File("qrv.usr.1.bak")), "second");
  EXPECT_FALSE(fs::exists(path));

  // Nothing to keep: no file, an empty one, a folder.
  EXPECT_EQ(KeepRefusedFileAside(path).outcome, KeptAside::Outcome::NothingToKeep);
  Spit(path, "");
  EXPECT_EQ(KeepRefusedFileAside(path).outcome, KeptAside::Outcome::NothingToKeep);
  fs::remove(path);
  fs::create_directory(path);
  EXPECT_EQ(KeepRefusedFileAside(path).outcome, KeptAside::Outcome::NothingToKeep);
  fs::remove(path);

  // A link: its target is kept aside in its own folder; the link stays for the next save.
  fs::create_directory(folder.File("dotfiles"));
  Spit(folder.File("dotfiles/qrv.usr"), "linked");
  fs::create_symlink("dotfiles/qrv.usr", path);
  const KeptAside linked = KeepRefusedFileAside(path);
  EXPECT_EQ(linked.path, folder.File("dotfiles/qrv.usr.bak"));
  EXPECT_EQ(Slurp(linked.path), "linked");
  EXPECT_TRUE(fs::is_symlink(path));
}

TEST(SettingsNotices, NameTheFileAndTheReason) {
  const KeptAside kept{KeptAside::Outcome::Kept, "/c/qrv.usr.bak", 0};
  const KeptAside failed{KeptAside::Outcome::Failed, "", EACCES};
  for (const Language language : {Language::English, Language::German}) {
    const std::string large = RefusedFileText(language, SettingsReadStatus::TooLarge, "/c/qrv.usr", kept, "");
    EXPECT_NE(large.find("/c/qrv.usr.bak"), std::string::npos);
    EXPECT_NE(large.find("64 MiB"), std::string::npos);
    const std::string left = RefusedFileText(language, SettingsReadStatus::Incomplete, "/c/qrv.usr", failed, "denied");
    EXPECT_NE(left.find("(denied)"), std::string::npos);
    EXPECT_EQ(left.find("64 MiB"), std::string::npos);
    const std::string save = SaveFailedText(language, "/c/qrv.usr", "No space left on device");
    EXPECT_NE(save.find("/c/qrv.usr"), std::string::npos) << save;
    EXPECT_NE(save.find(": No space left on device."), std::string::npos) << save;
    EXPECT_TRUE(IsValidUtf8(large) && IsValidUtf8(left) && IsValidUtf8(save));
  }
  for (std::string_view note : kOutputCutNotes) EXPECT_TRUE(std::all_of(note.begin(), note.end(), [](char c) { return c > 0; }));
}

}  // namespace
}  // namespace qv
