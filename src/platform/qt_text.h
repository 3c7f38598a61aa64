#pragma once
// The program's own texts are UTF-8 (plain ASCII in practice); this is where they become Qt's.
#include <QString>
#include <string_view>

namespace qv {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace qv
