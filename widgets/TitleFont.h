#pragma once

#include <QFont>

namespace corvane {

// The one font the program sets on controls: Arial, 8 points, bold, drawn in the best quality.
QFont MakeTitleFont();

// The font of every other control. The pages are laid out in pixels for an 8-point dialog font;
// the larger default of some desktops would cut their texts short.
QFont MakeControlFont();

} // namespace corvane
