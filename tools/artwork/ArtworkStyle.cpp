#include "tools/artwork/ArtworkStyle.h"

#include "assets/Palette.h"

#include <algorithm>

namespace corvane::artwork {

QFont ArtworkFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QColor LevelColour(int level) {
    return QColor(
        kLevelColours.at(static_cast<std::size_t>(std::clamp(level, 1, kOptionCount) - 1)));
}

QColor DpsColour(DpsType type) {
    return QColor(DpsTypeColour(type));
}

} // namespace corvane::artwork
