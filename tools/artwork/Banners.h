#pragma once

#include <QImage>

namespace corvane::artwork {

// The banner of one DPS type: picture 14, 15, 16, 17 or 21.
QImage DrawBanner(int number);

} // namespace corvane::artwork
