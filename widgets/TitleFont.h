#pragma once

#include <QFont>

namespace corvane {

// The one font the program sets on controls: Arial, 8 points, bold, drawn in the best quality.
QFont MakeTitleFont();

// The font of every other control. The pages are laid out in pixels for an 8-point dialog font;
// the larger default of some desktops would cut their texts short. The windows wear it
// themselves, so that it reaches every control whatever font a desktop theme gives them.
QFont MakeControlFont();

// Makes the font the application's, and keeps it so when a desktop theme sets its own: the
// menus, tooltips and message boxes, which no window of the program holds, keep it too.
void HoldApplicationFont(const QFont& font);

} // namespace corvane
