#pragma once
// Lengths measured in twips (1/1440 inch) become pixels at the screen's logical resolution, so
// a window keeps its proportions on any display (15 twips per pixel at 96 DPI).
#include <QWidget>

namespace qv {

inline constexpr int kTwipsPerInch = 1440;

// Pixels for `twips` at the logical DPI of the screen that shows `widget` (96 DPI without one).
int TwipsToPixels(int twips, const QWidget* widget = nullptr);

}  // namespace qv
