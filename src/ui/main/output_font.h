#pragma once
// The fixed-pitch font of every output text box (the main window's output window and the
// enlarged display): Courier New at 9 points where it is installed, otherwise the system's own
// fixed-pitch font at 9 points, so columns of results line up on any desktop.
#include <QFont>

namespace qv {

inline constexpr int kOutputFontPointSize = 9;

QFont OutputFont();

}  // namespace qv
