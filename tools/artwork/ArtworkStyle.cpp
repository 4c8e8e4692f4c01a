#include "tools/artwork/ArtworkStyle.h"

#include <algorithm>
#include <array>

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
    static const std::array<QColor, 4> colours = {
        QColor(0x3E, 0xC1, 0x45), QColor(0x55, 0x9B, 0xD5), QColor(0xE4, 0x97, 0x45),
        QColor(0xE9, 0x3F, 0x45)};
    return colours.at(static_cast<std::size_t>(std::clamp(level, 1, 4) - 1));
}

} // namespace corvane::artwork
