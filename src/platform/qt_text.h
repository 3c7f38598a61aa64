#pragma once
// The program's own texts are UTF-8 (plain ASCII in practice); this is where they become Qt's.
#include <QString>
#include <string_view>

namespace qv {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The program's texts break lines with CR LF (the output window's text, the settings file, the
// messages); Qt's text boxes, labels and the clipboard on this platform use LF alone.
inline QString WithLineFeeds(QString text) { return text.replace(QLatin1String("\r\n"), QLatin1String("\n")); }
inline QString WithCrLf(QString text) { return text.replace(QLatin1Char('\n'), QLatin1String("\r\n")); }

}  // namespace qv
