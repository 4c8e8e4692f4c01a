#pragma once

#include <QImage>

namespace corvane::artwork {

// The program's logo for the About window.
QImage DrawAboutLogo(QSize size);

} // namespace corvane::artwork
