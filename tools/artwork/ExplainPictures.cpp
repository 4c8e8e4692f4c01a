#include "tools/artwork/ExplainPictures.h"

namespace corvane::artwork {

QImage DrawExplainPicture(int) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace corvane::artwork
