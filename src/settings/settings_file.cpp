#include "settings/settings_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "calendar/digit_run.h"
#include "settings/atomic_file.h"
#include "settings/separator_codes.h"
#include "settings/settings_storage.h"
#include "text/string_utils.h"

namespace qv {
namespace {

// ---- Writing ---------------------------------------------------------------------------------

// A text between double quotes; a quote inside is doubled.
template <typename Out>
void AppendText(Out& out, std::string_view text) {
  out.push_back('"');
  std::size_t start = 0;
  for (std::size_t quote = text.find('"'); quote != std::string_view::npos; quote = text.find('"', start)) {
    out.append(text.substr(start, quote + 1 - start));
    out.push_back('"');
    start = quote + 1;
  }
  out.append(text.substr(start));
  out.push_back('"');
}

std::size_t QuotedSize(std::string_view text) {
  std::size_t quotes = 0;
  for (std::size_t at = text.find('"'); at != std::string_view::npos; at = text.find('"', at + 1)) ++quotes;
  return text.size() + quotes + 2;
}

bool EndsWithLineEnd(std::string_view text) { return text.size() >= 2 && text.substr(text.size() - 2) == kLineBreak; }

// The file's text handed on in blocks as it is made: small pieces are gathered, a large one (the
// saved output between its quotes) goes straight through, so the file is never built whole.
class PieceBuffer {
 public:
  explicit PieceBuffer(const WritePiece& write) : write_(write) { buffer_.reserve(kBlock); }
  void push_back(char c) {
    buffer_.push_back(c);
    if (buffer_.size() >= kBlock) Flush();
  }
  void append(std::string_view text) {
    if (text.size() >= kBlock) {
      Flush();
      Pass(text);
      return;
    }
    buffer_.append(text);
    if (buffer_.size() >= kBlock) Flush();
  }
  // True when every piece was written.
  bool Finish() {
    Flush();
    return ok_;
  }

 private:
  static constexpr std::size_t kBlock = std::size_t{1} << 16;
  void Flush() {
    Pass(buffer_);
    buffer_.clear();
  }
  void Pass(std::string_view piece) {
    if (ok_ && !piece.empty()) ok_ = write_(piece);
  }
  const WritePiece& write_;
  std::string buffer_;
  bool ok_ = true;
};

// ---- Reading ---------------------------------------------------------------------------------

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Walks the records of a settings text. Every method leaves the position at a well-defined
// place, so a malformed record is reported and never read past the end.
class RecordReader {
 public:
  explicit RecordReader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }

  enum class Outcome { Read, Missing, Malformed };

  // Where a quoted text lies in the settings text: between its quotes, with "" still standing
  // for one quote. Taken instead of a copy for a text of many megabytes.
  struct RawSpan {
    bool quoted = false;
    std::size_t first = 0;
    std::size_t last = 0;
  };
  // Instead of copying it, the next quoted item is only located and left out of its item.
  void LocateNextQuoted(RawSpan* span) { span_ = span; }

  // Reads one record of `count` items into items[0 … count-1].
  Outcome ReadRecord(std::string* items, std::size_t count) {
    if (AtEnd()) return Outcome::Missing;
    for (std::size_t i = 0; i < count; ++i) {
      if (i > 0) {
        if (AtEnd() || text_[pos_] != ',') return Outcome::Malformed;
        ++pos_;
      }
      if (!ReadItem(items[i])) return Outcome::Malformed;
    }
    return EndRecord() ? Outcome::Read : Outcome::Malformed;
  }

 private:
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
  }

  bool AtDelimiter() const {
    return AtEnd() || text_[pos_] == ',' || text_[pos_] == '\r' || text_[pos_] == '\n';
  }

  bool ReadItem(std::string& item) {
    item.clear();
    SkipBlanks();
    if (!AtEnd() && text_[pos_] == '"') {
      if (span_ != nullptr) {
        RawSpan* span = std::exchange(span_, nullptr);
        if (!SkipQuoted(*span)) return false;
        SkipBlanks();
        return AtDelimiter();
      }
      if (!ReadQuoted(item)) return false;
      SkipBlanks();
      return AtDelimiter();
    }
    const std::size_t start = pos_;
    while (!AtDelimiter()) ++pos_;
    std::size_t end = pos_;
    while (end > start && IsBlank(text_[end - 1])) --end;
    item.assign(text_.substr(start, end - start));
    return true;
  }

  // At an opening quote: past the closing quote, noting where the text between them lies.
  bool SkipQuoted(RawSpan& span) {
    span.first = ++pos_;
    while (true) {
      const std::size_t quote = text_.find('"', pos_);
      if (quote == std::string_view::npos) return false;  // no closing quote
      if (quote + 1 < text_.size() && text_[quote + 1] == '"') {
        pos_ = quote + 2;
        continue;
      }
      span.quoted = true;
      span.last = quote;
      pos_ = quote + 1;
      return true;
    }
  }

  // At an opening quote: the text up to the closing quote, "" standing for one quote.
  bool ReadQuoted(std::string& item) {
    ++pos_;
    while (true) {
      const std::size_t quote = text_.find('"', pos_);
      if (quote == std::string_view::npos) return false;  // no closing quote
      item.append(text_.substr(pos_, quote - pos_));
      if (quote + 1 < text_.size() && text_[quote + 1] == '"') {
        item.push_back('"');
        pos_ = quote + 2;
        continue;
      }
      pos_ = quote + 1;
      return true;
    }
  }

  // The end of a record: CR LF, a bare LF or CR, or the end of the text.
  bool EndRecord() {
    SkipBlanks();
    if (AtEnd()) return true;
    if (text_[pos_] == '\r') {
      ++pos_;
      if (!AtEnd() && text_[pos_] == '\n') ++pos_;
      return true;
    }
    if (text_[pos_] == '\n') {
      ++pos_;
      return true;
    }
    return false;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  RawSpan* span_ = nullptr;
};

// Check-box values: 0 and 1 are what the file holds; anything else is no choice.
bool CheckBoxChoice(int32_t stored, bool fallback) {
  if (stored == 0) return false;
  if (stored == 1) return true;
  return fallback;
}

CalendarCode UserCalendarOrCE(int32_t code) {
  return IsUserCalendar(code) ? static_cast<CalendarCode>(code) : cal::CE;
}

// The texts the file keeps: the boxes and the output only with "save output".
struct KeptTexts {
  std::string_view first_date, difference, second_date, output;
  explicit KeptTexts(const StoredSettings& s) {
    if (s.save_output == 0) return;
    first_date = s.first_date;
    difference = s.date_difference;
    second_date = s.second_date;
    output = s.output;
  }
};

// The file's records, in order, into `out` (a string, or a PieceBuffer on its way to the disk).
template <typename Out>
void EmitSettingsFile(const StoredSettings& s, Out& out) {
  const KeptTexts kept(s);
  const auto number_line = [&out](std::initializer_list<int32_t> values) {
    bool first = true;
    for (const int32_t value : values) {
      if (!first) out.push_back(',');
      first = false;
      out.append(std::to_string(value));
    }
    out.append(kLineBreak);
  };
  const auto text_line = [&out](std::string_view text) {
    AppendText(out, text);
    out.append(kLineBreak);
  };
  number_line({s.language});
  number_line({s.date_format, s.date_separator, s.thousands_separator});
  number_line({s.today_calendar, s.first_calendar, s.second_calendar});
  number_line({s.include_first_date});
  number_line({s.include_weekends});
  number_line({s.verbose});
  number_line({s.hyphen});
  number_line({s.save_output});
  text_line(s.first_day_of_week);
  text_line(s.month_calendar);
  text_line(kept.first_date);
  text_line(kept.difference);
  text_line(kept.second_date);
  text_line(kept.output);
  number_line({s.months});
}

}  // namespace

std::string FormatSettingsFile(const StoredSettings& s) {
  std::string out;
  out.reserve(FormattedSize(s));  // one allocation
  EmitSettingsFile(s, out);
  return out;
}

std::size_t FormattedSize(const StoredSettings& s) {
  const KeptTexts kept(s);
  std::size_t size = 0;
  for (const int32_t number : {s.language, s.date_format, s.date_separator, s.thousands_separator, s.today_calendar,
                               s.first_calendar, s.second_calendar, s.include_first_date, s.include_weekends,
                               s.verbose, s.hyphen, s.save_output, s.months}) {
    size += std::to_string(number).size();
  }
  size += 4 + 9 * kLineBreak.size();  // two commas each on lines 2 and 3; nine lines of numbers
  size += QuotedSize(s.first_day_of_week) + QuotedSize(s.month_calendar) + 6 * kLineBreak.size();
  size += QuotedSize(kept.first_date) + QuotedSize(kept.difference) + QuotedSize(kept.second_date) +
          QuotedSize(kept.output);
  return size;
}

bool FitSavedOutput(StoredSettings& s, std::string_view note, std::initializer_list<std::string_view> earlier_notes,
                    std::size_t limit) {
  if (s.save_output == 0) return false;
  const std::size_t total = FormattedSize(s);
  if (total <= limit) return false;
  const std::string_view output = s.output;
  const std::size_t others = total - QuotedSize(output);  // every byte of the file but line 14's text
  // The note ends the text as a line of its own; a last line without its line end gets one.
  const std::size_t note_cost = QuotedSize(note) - 2 + kLineBreak.size() + (EndsWithLineEnd(output) ? 0 : kLineBreak.size());
  if (others + 2 + note_cost > limit) {
    s.output.clear();
    return true;
  }
  const auto is_note = [&earlier_notes](std::string_view content) {
    for (const std::string_view earlier : earlier_notes) {
      if (content == earlier) return true;
    }
    return false;
  };
  const std::size_t room = limit - others - 2 - note_cost;  // for the kept lines, quotes doubled
  // Newest lines first, each with its line end, as long as it fits whole; the notes of earlier
  // cuts are left out and cost nothing. `first_kept` ends at the start of the oldest line kept.
  std::size_t used = 0;
  std::size_t first_kept = output.size();
  while (first_kept > 0) {
    const std::size_t end = first_kept;
    const std::size_t content_end = EndsWithLineEnd(output.substr(0, end)) ? end - kLineBreak.size() : end;
    const std::size_t previous = content_end >= kLineBreak.size() ? output.rfind(kLineBreak, content_end - kLineBreak.size())
                                                                : std::string_view::npos;
    const std::size_t begin = previous == std::string_view::npos ? 0 : previous + kLineBreak.size();
    if (!is_note(output.substr(begin, content_end - begin))) {
      const std::size_t cost = QuotedSize(output.substr(begin, end - begin)) - 2;
      if (cost > room - used) break;
      used += cost;
    }
    first_kept = begin;
  }
  // The kept lines move to the front of the text in place, without the notes: a large output
  // is not copied.
  std::string& text = s.output;
  std::size_t kept_end = 0;
  for (std::size_t begin = first_kept; begin < text.size();) {
    const std::size_t line_break = text.find(kLineBreak, begin);
    const std::size_t content_end = line_break == std::string::npos ? text.size() : line_break;
    const std::size_t end = line_break == std::string::npos ? text.size() : line_break + kLineBreak.size();
    if (!is_note(std::string_view(text).substr(begin, content_end - begin))) {
      if (kept_end != begin) std::memmove(text.data() + kept_end, text.data() + begin, end - begin);
      kept_end += end - begin;
    }
    begin = end;
  }
  text.resize(kept_end);
  if (!text.empty() && !EndsWithLineEnd(text)) text.append(kLineBreak);
  text.append(note);
  text.append(kLineBreak);
  return true;
}

SettingsWriteResult WriteSettingsFile(const std::string& path, const StoredSettings& settings) {
  if (FormattedSize(settings) > kMaxSettingsFileBytes) {
    SettingsWriteResult result;
    result.error = EFBIG;
    result.path = FollowLinks(path);
    return result;
  }
  // Written as it is made: a large saved output is not copied once more into the file's text.
  return WriteFileAtomically(path, [&settings](const WritePiece& write) {
    PieceBuffer out(write);
    EmitSettingsFile(settings, out);
    return out.Finish();
  });
}

int32_t LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // The magnitude stops growing just past the int32_t range, so it can never overflow.
  constexpr int64_t kCap = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    if (magnitude < kCap) magnitude = magnitude * 10 + (text[i] - '0');  // < 10 * kCap
  }
  if (magnitude > kCap) magnitude = kCap;
  const int64_t value = negative ? -magnitude : magnitude;  // [-2^31, 2^31]
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

namespace {

// The records of `text`; with `output_span`, line 14's text is located there instead of copied
// (when it is quoted; an unquoted one is copied as any item).
SettingsReadResult ParseRecords(std::string_view text, RecordReader::RawSpan* output_span) {
  using Outcome = RecordReader::Outcome;
  RecordReader reader(text);
  StoredSettings s;
  std::string items[3];

  const auto numbers = [&](std::initializer_list<int32_t*> targets) {
    const Outcome outcome = reader.ReadRecord(items, targets.size());
    if (outcome != Outcome::Read) return false;
    std::size_t i = 0;
    for (int32_t* target : targets) *target = LeadingNumber(items[i++]);
    return true;
  };
  const auto text_item = [&](std::string& target) {
    if (reader.ReadRecord(items, 1) != Outcome::Read) return false;
    target = std::move(items[0]);
    items[0].clear();
    return true;
  };

  const bool first_fourteen =
      numbers({&s.language}) && numbers({&s.date_format, &s.date_separator, &s.thousands_separator}) &&
      numbers({&s.today_calendar, &s.first_calendar, &s.second_calendar}) && numbers({&s.include_first_date}) &&
      numbers({&s.include_weekends}) && numbers({&s.verbose}) && numbers({&s.hyphen}) &&
      numbers({&s.save_output}) && text_item(s.first_day_of_week) && text_item(s.month_calendar) &&
      text_item(s.first_date) && text_item(s.date_difference) && text_item(s.second_date) &&
      (reader.LocateNextQuoted(output_span), text_item(s.output));
  if (!first_fourteen) return {SettingsReadStatus::Incomplete, StoredSettings{}};

  if (!numbers({&s.months})) {
    s.months = 0;
    return {SettingsReadStatus::MonthsLineMissing, std::move(s)};
  }
  return {SettingsReadStatus::Complete, std::move(s)};
}

// The saved output can be 64 MiB: it is taken out of the file's own buffer, which becomes the
// output's text in place, so that the file and a copy of its output never take room together.
SettingsReadResult ParseSettingsBuffer(std::string text) {
  RecordReader::RawSpan span;
  SettingsReadResult read = ParseRecords(text, &span);
  if (read.status == SettingsReadStatus::Incomplete || !span.quoted) return read;
  // Down to the buffer's start, each "" becoming one quote.
  std::size_t kept = 0;
  for (std::size_t at = span.first; at < span.last;) {
    const std::size_t quote = std::string_view(text).substr(0, span.last).find('"', at);
    const std::size_t end = quote == std::string_view::npos ? span.last : quote + 1;
    std::memmove(text.data() + kept, text.data() + at, end - at);  // kept <= at: moves down
    kept += end - at;
    at = quote == std::string_view::npos ? span.last : quote + 2;
  }
  text.resize(kept);
  read.settings.output = std::move(text);
  return read;
}

}  // namespace

SettingsReadResult ParseSettingsText(std::string_view text) { return ParseRecords(text, nullptr); }

SettingsReadResult ReadSettingsFile(const std::string& path) {
  SmallFileRead read = ReadSmallFile(path, kMaxSettingsFileBytes);
  switch (read.status) {
    case SmallFileStatus::Read: return ParseSettingsBuffer(std::move(read.content));
    case SmallFileStatus::Missing: return {SettingsReadStatus::Missing, {}};
    case SmallFileStatus::TooLarge: return {SettingsReadStatus::TooLarge, {}};
    case SmallFileStatus::Unreadable: break;
  }
  return {SettingsReadStatus::Unreadable, {}};
}

SettingsChoices InterpretSettings(StoredSettings stored) {
  SettingsChoices c;
  c.language = stored.language == 1 ? Language::German : Language::English;
  c.date_format = stored.date_format == kFormatMDY   ? kFormatMDY
                  : stored.date_format == kFormatDMY ? kFormatDMY
                                                     : kFormatYMD;
  c.date_separator = DateSeparatorOfCode(stored.date_separator).value_or("-");
  c.thousands_separator = ThousandsSeparatorOfCode(stored.thousands_separator).value_or(",");
  c.today_calendar = UserCalendarOrCE(stored.today_calendar);
  c.first_calendar = UserCalendarOrCE(stored.first_calendar);
  c.second_calendar = UserCalendarOrCE(stored.second_calendar);
  const SettingsChoices defaults;
  c.include_first_date = CheckBoxChoice(stored.include_first_date, defaults.include_first_date);
  c.include_weekends = CheckBoxChoice(stored.include_weekends, defaults.include_weekends);
  c.verbose = CheckBoxChoice(stored.verbose, defaults.verbose);
  c.hyphen = CheckBoxChoice(stored.hyphen, defaults.hyphen == Hyphen::With) ? Hyphen::With : Hyphen::Without;
  c.save_output = CheckBoxChoice(stored.save_output, defaults.save_output);
  c.week_start = stored.first_day_of_week == "Mon" ? WeekStart::Monday : WeekStart::Sunday;
  c.month_calendar = stored.month_calendar == "JC" ? MonthCalendar::Julian : MonthCalendar::CommonEra;
  const auto decode = [](std::string& bytes, std::string& text, TextEncoding& encoding) {
    DecodedText decoded = DecodeStoredText(std::move(bytes));
    text = std::move(decoded.utf8);
    encoding = decoded.encoding;
  };
  decode(stored.first_date, c.first_date, c.encodings.first_date);
  decode(stored.date_difference, c.date_difference, c.encodings.date_difference);
  decode(stored.second_date, c.second_date, c.encodings.second_date);
  decode(stored.output, c.output, c.encodings.output);
  c.unit = stored.months == 1 ? DifferenceUnit::Months : DifferenceUnit::Days;
  return c;
}

StoredSettings StoreSettings(SettingsChoices c) {
  StoredSettings s;
  s.language = static_cast<int32_t>(c.language);
  s.date_format = c.date_format;
  s.date_separator = c.date_separator.empty() ? kDashCode : SeparatorCode(c.date_separator);
  s.thousands_separator = SeparatorCode(c.thousands_separator);
  // qrv.usr keeps the described codes alone: a panel left at an added calendar is kept as CE here
  // (our own file keeps the added one), and so would be a box that reached this unconverted.
  s.today_calendar = UserCalendarOrCE(c.today_calendar);
  s.first_calendar = UserCalendarOrCE(c.first_calendar);
  s.second_calendar = UserCalendarOrCE(c.second_calendar);
  s.include_first_date = c.include_first_date ? 1 : 0;
  s.include_weekends = c.include_weekends ? 1 : 0;
  s.verbose = c.verbose ? 1 : 0;
  s.hyphen = c.hyphen == Hyphen::With ? 1 : 0;
  s.save_output = c.save_output ? 1 : 0;
  s.first_day_of_week = c.week_start == WeekStart::Monday ? "Mon" : "Sun";
  s.month_calendar = c.month_calendar == MonthCalendar::Julian ? "JC" : "CE";
  s.first_date = EncodeStoredText(std::move(c.first_date), c.encodings.first_date);
  s.date_difference = EncodeStoredText(std::move(c.date_difference), c.encodings.date_difference);
  s.second_date = EncodeStoredText(std::move(c.second_date), c.encodings.second_date);
  s.output = EncodeStoredText(std::move(c.output), c.encodings.output);
  s.months = c.unit == DifferenceUnit::Months ? 1 : 0;
  return s;
}

RequestOptions RequestOptionsFrom(const SettingsChoices& choices) {
  const DateTextOptions text = TextOptionsFrom(choices);
  RequestOptions options;
  options.first_calendar = choices.first_calendar;
  options.second_calendar = choices.second_calendar;
  options.format = text.format;
  options.date_separator = std::string(text.date_separator);
  options.thousands_separator = std::string(text.thousands_separator);
  options.unit = choices.unit;
  options.include_first_date = choices.include_first_date;
  options.include_weekends = choices.include_weekends;
  options.verbose = choices.verbose;
  options.hyphen = text.hyphen;
  options.language = choices.language;
  return options;
}

DateTextOptions TextOptionsFrom(const SettingsChoices& choices) {
  return DateTextOptions{.format = choices.date_format,
                         .date_separator = choices.date_separator,
                         .thousands_separator = choices.thousands_separator,
                         .hyphen = choices.hyphen};
}

}  // namespace qv
