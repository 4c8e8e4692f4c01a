#pragma once

#include <QColor>

namespace corvane {

// The colour to draw a coloured text in on the given background. The program's colours are made
// for the light dialog face and are kept on it; on a background darker than the colour itself, as
// with a dark palette, the colour is lightened, keeping its hue, until the text stands out from
// the background at least 4.5 to 1, the contrast legibility asks of ordinary text.
QColor LegibleOn(const QColor& text, const QColor& background);

} // namespace corvane
