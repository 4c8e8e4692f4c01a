#pragma once

#include <QImage>

namespace corvane::artwork {

// One of the seven explanation pictures: 10, 11, 12, 13, 18, 19 or 20.
QImage DrawExplainPicture(int number);

} // namespace corvane::artwork
