#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace qv {

int TwipsToPixels(int twips, const QWidget* widget) {
  double dpi = 96.0;
  const QScreen* screen = widget != nullptr ? widget->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr && screen->logicalDotsPerInch() > 0) dpi = screen->logicalDotsPerInch();
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

}  // namespace qv
