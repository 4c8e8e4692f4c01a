#pragma once

#include <QImage>

namespace corvane::artwork {

// The explanation picture `number` at `size`; a null image for a number that is not one of the
// seven.
QImage DrawExplainPicture(int number, QSize size);

} // namespace corvane::artwork
