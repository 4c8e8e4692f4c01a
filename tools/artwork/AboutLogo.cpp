#include "tools/artwork/AboutLogo.h"

namespace corvane::artwork {

QImage DrawAboutLogo() {
    QImage image(247, 197, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace corvane::artwork
