#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace corvane {

// Where a window of `size` opens in `area`, a screen's geometry: centred, or against the area's
// left or top edge where the area is narrower or lower than the window, so that its title bar is
// always on the screen.
QPoint CentredIn(const QRect& area, QSize size);

// Where the main window opens in `available`, the screen less its panels: centred, or against the
// top edge when the window and a title bar would not fit its height, so that the title bar and
// the controls at the window's top stay reachable (the frame is not known before the window is
// shown, so a usual title bar is allowed for).
QPoint PlacedIn(const QRect& available, QSize size);

} // namespace corvane
