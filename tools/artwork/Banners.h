#pragma once

#include <QImage>

namespace corvane::artwork {

// The banner picture `number` of a DPS type, at `size`; a null image for a number that is not a
// banner.
QImage DrawBanner(int number, QSize size);

} // namespace corvane::artwork
