#include "lang/program_text.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "calendar/digit_run.h"

namespace qv {
namespace {

using namespace loadcode;

// Tags of the language column, in the order of the language codes.
constexpr std::array<std::string_view, 6> kLanguageTags{"en", "de", "es", "pt", "it", "fr"};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

bool IsBlankChar(char c) { return c == ' ' || c == '\t'; }

// Blanks of the file format: spaces and tabs (the boxes' TrimBlanks takes spaces only).
std::string_view TrimSpacesAndTabs(std::string_view s) {
  while (!s.empty() && IsBlankChar(s.front())) {
    s.remove_prefix(1);
  }
  while (!s.empty() && IsBlankChar(s.back())) {
    s.remove_suffix(1);
  }
  return s;
}

// A decimal text number within the 16-bit range; anything else is not a number.
bool ParseTextNumber(std::string_view field, int32_t& number) {
  field = TrimSpacesAndTabs(field);
  if (field.empty()) {
    return false;
  }
  // An optional '-', then digits only.
  const bool negative = field.front() == '-';
  const std::optional<int64_t> magnitude = DigitRunValue(negative ? field.substr(1) : field);
  if (!magnitude) {
    return false;
  }
  const int64_t value = negative ? -*magnitude : *magnitude;  // saturated: never beyond 64 bits
  if (value < INT16_MIN || value > INT16_MAX) {
    return false;
  }
  number = static_cast<int32_t>(value);
  return true;
}

bool ParseLanguageTag(std::string_view field, int32_t& language) {
  field = TrimSpacesAndTabs(field);
  for (std::size_t i = 0; i < kLanguageTags.size(); ++i) {
    if (field == kLanguageTags[i]) {
      language = static_cast<int32_t>(i);
      return true;
    }
  }
  return false;
}

std::string Unescape(std::string_view raw) {
  std::string text;
  text.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == '\\' && i + 1 < raw.size()) {
      const char next = raw[i + 1];
      const char replacement = next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next == '\\' ? '\\' : '\0';
      if (replacement != '\0') {
        text.push_back(replacement);
        ++i;
        continue;
      }
    }
    text.push_back(c);
  }
  return text;
}

// Reads at most `limit` + 1 bytes, so that an oversized file is noticed without reading it all.
// Returns 0 on success or the failure code.
int32_t ReadFileBytes(const std::string& fullPath, int64_t limit, std::string& content) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fullPath.c_str(), "rb"));
  if (!file) {
    return CannotOpen;
  }
  std::array<char, 8192> chunk{};
  while (static_cast<int64_t>(content.size()) <= limit) {
    const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
    content.append(chunk.data(), got);
    if (got < chunk.size()) {
      break;
    }
  }
  if (std::ferror(file.get()) != 0) {
    return ReadError;
  }
  if (static_cast<int64_t>(content.size()) > limit) {
    return TooMuchText;
  }
  return 0;
}

// Str of a number: its decimal digits, with a leading blank when it is not negative.
std::string Str(int64_t n) { return (n >= 0 ? " " : "") + std::to_string(n); }

}  // namespace

int32_t ProgramTextStore::Load(const std::string& fullPath) {
  texts_.clear();
  std::string content;
  if (const int32_t code = ReadFileBytes(fullPath, kMaxFileBytes, content); code != 0) {
    return code;
  }
  if (content.empty()) {
    return EmptyFile;
  }
  std::string_view rest(content);
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (rest.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    rest.remove_prefix(kByteOrderMark.size());
  }
  // Any failure leaves the store empty: the texts are kept only once the whole file passed.
  TextMap loaded;
  if (const int32_t code = ParseContent(rest, loaded); code != 0) {
    return code;
  }
  texts_ = std::move(loaded);
  // At most kMaxLines entries, so the count always fits.
  return static_cast<int32_t>(texts_.size());
}

int32_t ProgramTextStore::ParseContent(std::string_view rest, TextMap& loaded) {
  int64_t totalText = 0;
  int32_t line = 0;
  while (!rest.empty()) {
    const std::size_t lineEnd = rest.find('\n');
    std::string_view current = rest.substr(0, lineEnd);
    rest.remove_prefix(lineEnd == std::string_view::npos ? rest.size() : lineEnd + 1);
    if (!current.empty() && current.back() == '\r') {
      current.remove_suffix(1);
    }
    ++line;
    if (line > kMaxLines) {
      return TooMuchText;
    }

    const std::string_view trimmed = TrimSpacesAndTabs(current);
    if (trimmed.empty() || trimmed.front() == '#') {
      continue;
    }

    const std::size_t firstBar = current.find('|');
    const std::size_t secondBar =
        firstBar == std::string_view::npos ? std::string_view::npos : current.find('|', firstBar + 1);
    int32_t number = 0;
    int32_t language = 0;
    if (secondBar == std::string_view::npos || !ParseTextNumber(current.substr(0, firstBar), number) ||
        !ParseLanguageTag(current.substr(firstBar + 1, secondBar - firstBar - 1), language) ||
        secondBar + 1 == current.size()) {
      return MissingStringBase - line;
    }

    std::string text = Unescape(current.substr(secondBar + 1));
    if (text.size() > static_cast<std::size_t>(kMaxTextLength)) {
      return TooLongBase - line;
    }
    totalText += static_cast<int64_t>(text.size());
    if (totalText > kMaxTotalText) {
      return TooMuchText;
    }
    if (!loaded.emplace(std::make_pair(number, language), std::move(text)).second) {
      return DuplicateBase - line;
    }
  }
  return 0;
}

int32_t ProgramTextStore::Get(int32_t number, int32_t language, char* buffer, int32_t size) const {
  if (buffer == nullptr || size <= 0) {
    return -1;
  }
  const auto found = texts_.find(std::make_pair(number, language));
  if (found == texts_.end()) {
    return 0;
  }
  const std::string& text = found->second;
  const std::size_t room = static_cast<std::size_t>(size);
  const std::size_t count = text.size() < room ? text.size() : room;
  std::memcpy(buffer, text.data(), count);
  if (count < room) {
    buffer[count] = '\0';
  }
  return static_cast<int32_t>(count);
}

std::string ProgramTextPath(std::string_view folder, std::string_view fileName) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') {
    path.push_back('/');
  }
  path.append(fileName);
  return path;
}

std::string LoadFailureMessage(int32_t code, const std::string& fullPath) {
  const int64_t n = code;
  if (n > 0) {
    return {};
  }
  switch (code) {
    case NoText:
      return "No program text was read.";
    case CannotOpen:
      return "Cannot open file containing program text.\r\n" + fullPath;
    case AllocationFailed:
      return "Particular memory allocation error.";
    case TooMuchText:
      return "Too much program text.";
    case TextNotRecovered:
      return "Text not recovered.";
    case EmptyFile:
      return "File is empty.";
    case ReadError:
      return "Error reading file.";
    case GeneralAllocationFailed:
      return "General memory allocation error.";
    default:
      break;
  }
  if (n < DuplicateBase) {
    return "Duplicate in program text at line" + Str(DuplicateBase - n) + ".";
  }
  if (n < TooLongBase) {
    return "String too long at line" + Str(TooLongBase - n) + ".";
  }
  if (n < MissingStringBase) {
    return "Missing string at line" + Str(MissingStringBase - n) + ".";
  }
  // -500 .. -9 and -5.
  return "Error " + std::to_string(n);
}

LoadResult LoadProgramText(ProgramTextStore& store, std::string_view folder, std::string_view fileName) {
  const std::string fullPath = ProgramTextPath(folder, fileName);
  const int32_t code = store.Load(fullPath);
  if (code > 0) {
    return {true, {}};
  }
  return {false, LoadFailureMessage(code, fullPath)};
}

std::string GetProgramText(const ProgramTextStore& store, int16_t number, Language textLanguage) {
  std::vector<char> buffer(static_cast<std::size_t>(ProgramTextStore::kMaxTextLength));
  const int32_t n = store.Get(number, static_cast<int16_t>(textLanguage), buffer.data(), ProgramTextStore::kMaxTextLength);
  if (n <= 0) {
    return {};
  }
  std::string text(buffer.data(), static_cast<std::size_t>(n));
  if (text == "~") {
    return {};
  }
  return text;
}

std::string FindProgramTextFolder(std::string_view executableDir) {
  namespace fs = std::filesystem;
  const std::string own(executableDir);
  std::error_code ec;
  if (fs::is_regular_file(fs::path(ProgramTextPath(own, kProgramTextFileName)), ec)) {
    return own;
  }
  const std::string installed = ProgramTextPath(own, "../share/quorvan");
  ec.clear();
  if (fs::is_regular_file(fs::path(ProgramTextPath(installed, kProgramTextFileName)), ec)) {
    return installed;
  }
  return own;
}

}  // namespace qv
