#include "ui/main/output_font.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace qv {

QFont OutputFont() {
  static const QString preferred = QStringLiteral("Courier New");
  QFont font;
  if (QFontDatabase::families().contains(preferred, Qt::CaseInsensitive)) {
    font = QFont(preferred);
  } else {
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  }
  font.setPointSize(kOutputFontPointSize);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

}  // namespace qv
