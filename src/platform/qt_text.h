#pragma once
// The program's own texts are UTF-8 (plain ASCII in practice); this is where they become Qt's.
#include <QString>
#include <cstring>
#include <string>
#include <string_view>

namespace qv {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The program's texts break lines with CR LF (the output window's text, the settings file, the
// messages); Qt's text boxes, labels and the clipboard on this platform use LF alone.
// Both in one pass over the text: QString::replace moves the rest of the text once for every
// line when the replacement is shorter, which took 8 s for a saved output of 64 MiB.
inline QString WithLineFeeds(QString text) {
  if (!text.contains(QLatin1Char('\r'))) return text;
  QChar* const chars = text.data();
  const qsizetype size = text.size();
  qsizetype kept = 0;
  for (qsizetype i = 0; i < size; ++i) {
    if (chars[i] == QLatin1Char('\r') && i + 1 < size && chars[i + 1] == QLatin1Char('\n')) continue;
    chars[kept++] = chars[i];
  }
  text.truncate(kept);
  return text;
}
// The same on UTF-8 bytes, in place: CR and LF are never part of a character of several bytes,
// so the text this gives reads as WithLineFeeds of the text read.
// Each stretch between two CR LF moves once, as a block.
inline void ToLineFeeds(std::string& text) {
  std::size_t pair = text.find("\r\n");
  if (pair == std::string::npos) return;
  std::size_t kept = pair;
  while (pair != std::string::npos) {
    const std::size_t from = pair + 1;  // the LF stays, the CR goes
    pair = text.find("\r\n", from);
    const std::size_t length = (pair == std::string::npos ? text.size() : pair) - from;
    std::memmove(text.data() + kept, text.data() + from, length);  // kept < from: moves down
    kept += length;
  }
  text.resize(kept);
}
// Line feeds back to CR LF, for the settings file: one pass, the result reserved at its size.
inline std::string WithCrLf(std::string_view text) {
  std::size_t feeds = 0;
  for (const char c : text) feeds += c == '\n' ? 1 : 0;
  std::string out;
  out.reserve(text.size() + feeds);
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t feed = text.find('\n', at);
    const std::size_t end = feed == std::string_view::npos ? text.size() : feed;
    out.append(text.substr(at, end - at));
    if (feed == std::string_view::npos) break;
    out.append("\r\n");
    at = feed + 1;
  }
  return out;
}
inline QString WithCrLf(const QString& text) {
  const qsizetype feeds = text.count(QLatin1Char('\n'));
  if (feeds == 0) return text;
  QString out;
  out.reserve(text.size() + feeds);
  for (const QChar c : text) {
    if (c == QLatin1Char('\n')) out.append(QLatin1Char('\r'));
    out.append(c);
  }
  return out;
}

}  // namespace qv
