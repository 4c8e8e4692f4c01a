#include "tools/artwork/Icons.h"

namespace corvane::artwork {

QImage DrawIcon(int, int side) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QImage DrawProgramIcon(int side) {
    return DrawIcon(0, side);
}

} // namespace corvane::artwork
