#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace corvane {

// Where a window of `size` opens in `area`, a screen's geometry: centred, or against the area's
// left or top edge where the area is narrower or lower than the window, so that its title bar is
// always on the screen.
QPoint CentredIn(const QRect& area, QSize size);

} // namespace corvane
