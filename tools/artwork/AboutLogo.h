#pragma once

#include <QImage>

namespace corvane::artwork {

// The program's logo for the About window, picture 101.
QImage DrawAboutLogo();

} // namespace corvane::artwork
