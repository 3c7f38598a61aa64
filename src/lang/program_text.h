#pragma once
// The program-text store: longer messages and a few names, kept in the text file qrv_e.dat beside
// the executable and looked up by number and language.
//
// File format (UTF-8 or ASCII, LF or CR LF line ends, an optional UTF-8 byte-order mark):
//
//   # a comment line                 lines whose first non-blank character is '#' are skipped
//                                    blank lines (only spaces and tabs) are skipped
//   NUMBER|LANG|TEXT                 one text per line
//
//   NUMBER  decimal text number, optional leading '-', range -32768 .. 32767; spaces or tabs
//           around it are ignored
//   LANG    en, de, es, pt, it or fr (language codes 0 to 5); spaces or tabs around it are ignored
//   TEXT    everything after the second '|', kept exactly (it may contain further '|'); the
//           escapes \n, \r, \t and \\ stand for a line feed, carriage return, tab and backslash,
//           any other backslash is kept as it stands. A text of the single character "~" stands
//           for an empty text.
//
// Limits and the failure codes of Load (line numbers count from 1, every line counts):
//   -1             the file cannot be opened
//   -7             the file cannot be read (for example the path names a folder)
//   -6             the file holds no bytes at all
//    0             the file holds no text entry (only comments and blank lines)
//   -3             too much text: more than kMaxFileBytes bytes, more than kMaxLines lines, or
//                  more than kMaxTotalText characters of text altogether
//   -500 - line    missing string: a line that is neither comment, blank nor a complete entry,
//                  i.e. without its text, without a '|', with a number that is not a 16-bit
//                  decimal or with an unknown language
//   -1000 - line   a text longer than kMaxTextLength characters (after escapes)
//   -1500 - line   a number and language already given on an earlier line
// The line limit of 500 keeps the codes of the three line-bound failures apart: -501 .. -1000,
// -1001 .. -1500 and below -1500.
// Loading is all or nothing: after a failure the store is empty.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "text/language.h"

namespace qv {

inline constexpr std::string_view kProgramTextFileName = "qrv_e.dat";

// The result codes of ProgramTextStore::Load (see the table above); a positive result is the
// number of texts stored. The text library's own codes -2, -4 and -8 never come from our loader
// but keep their messages.
namespace loadcode {
inline constexpr int32_t NoText = 0;
inline constexpr int32_t CannotOpen = -1;
inline constexpr int32_t AllocationFailed = -2;
inline constexpr int32_t TooMuchText = -3;
inline constexpr int32_t TextNotRecovered = -4;
inline constexpr int32_t EmptyFile = -6;
inline constexpr int32_t ReadError = -7;
inline constexpr int32_t GeneralAllocationFailed = -8;
inline constexpr int32_t MissingStringBase = -500;   // − line number
inline constexpr int32_t TooLongBase = -1000;        // − line number
inline constexpr int32_t DuplicateBase = -1500;      // − line number
}  // namespace loadcode

class ProgramTextStore {
 public:
  static constexpr int32_t kMaxTextLength = 1024;
  static constexpr int32_t kMaxTotalText = 256 * 1024;
  static constexpr int32_t kMaxLines = 500;
  static constexpr int64_t kMaxFileBytes = 1024 * 1024;

  // Loads the file, replacing whatever the store held. A positive result is the number of texts
  // stored; 0 or a negative code is a failure (see the table above).
  int32_t Load(const std::string& fullPath);

  // Copies the text of `number` in `language` into `buffer` and returns the number of
  // characters written: at most `size`, followed by a terminating NUL when room is left.
  // Returns 0 when the store holds no such text and -1 when buffer is null or size is not positive.
  int32_t Get(int32_t number, int32_t language, char* buffer, int32_t size) const;

 private:
  using TextMap = std::map<std::pair<int32_t, int32_t>, std::string>;
  // Reads every entry of `content` into `loaded`: 0, or the failure code of the first bad line.
  static int32_t ParseContent(std::string_view content, TextMap& loaded);
  TextMap texts_;
};

// Full path of a program-text file: folder, "/" unless the folder already ends with one, file
// name. An empty folder means the current folder and gives the file name alone.
std::string ProgramTextPath(std::string_view folder, std::string_view fileName);

// The message for a failed load result; empty for a positive (successful) result.
std::string LoadFailureMessage(int32_t code, const std::string& fullPath);

struct LoadResult {
  bool ok;
  std::string message;  // empty when ok; otherwise what to show before the program ends
};

// Loads `fileName` from `folder` into the store.
LoadResult LoadProgramText(ProgramTextStore& store, std::string_view folder, std::string_view fileName);

// Text `number` in `textLanguage`, through a buffer of kMaxTextLength characters; a missing text
// and a text marked "~" both give the empty text.
std::string GetProgramText(const ProgramTextStore& store, int16_t number, Language textLanguage);

// Where the program-text file lives: the executable's folder if qrv_e.dat is there, else the
// installed data folder executableDir/../share/quorvan if it holds the file, else the
// executable's folder (whose load then fails with "cannot open" and names that path).
std::string FindProgramTextFolder(std::string_view executableDir);

}  // namespace qv
