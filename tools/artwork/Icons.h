#pragma once

#include <QImage>

namespace corvane::artwork {

// The numbers of the catalogue's icons, each drawn as a 32-bit picture with transparency.
QImage DrawIcon(int number, int side);

// The program's own icon, also picture 0 at 16 pixels.
QImage DrawProgramIcon(int side);

} // namespace corvane::artwork
