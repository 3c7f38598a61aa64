#pragma once
// The fixed-pitch font of the text boxes whose columns must line up (the output window, the
// enlarged display, the month grid): Courier New where it is installed, otherwise the system's
// own fixed-pitch font, at the given size in points.
#include <QFont>

namespace qv {

QFont FixedPitchFont(int point_size);

}  // namespace qv
