#include "tools/artwork/Banners.h"

namespace corvane::artwork {

QImage DrawBanner(int) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace corvane::artwork
