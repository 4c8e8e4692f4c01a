#pragma once

#include <QImage>

namespace corvane::artwork {

// The icon of the picture `number`, `side` pixels square, a 32-bit picture with transparency; a
// null image for a number that is not an icon.
QImage DrawIcon(int number, int side);

// The program's own icon, which the About picture also shows.
QImage DrawProgramIcon(int side);

} // namespace corvane::artwork
