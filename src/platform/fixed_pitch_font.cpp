#include "platform/fixed_pitch_font.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace qv {

QFont FixedPitchFont(int point_size) {
  const QString preferred = QStringLiteral("Courier New");
  QFont font = QFontDatabase::families().contains(preferred, Qt::CaseInsensitive)
                   ? QFont(preferred)
                   : QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(point_size);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

}  // namespace qv
