#pragma once

#include "core/DpsType.h"

#include <QColor>
#include <QFont>

namespace corvane::artwork {

// The face every picture is lettered in, sized in pixels so that the pictures do not depend on
// the screen they are drawn on.
QFont ArtworkFont(int pixelSize, bool bold = false);

// The colours of the four risk levels, as the grid page shows its option texts.
QColor LevelColour(int level);

// The colour of a DPS type, the same on its banner and in the table of types.
QColor DpsColour(DpsType type);

} // namespace corvane::artwork
