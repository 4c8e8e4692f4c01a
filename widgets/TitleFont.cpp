#include "widgets/TitleFont.h"

namespace corvane {

QFont MakeTitleFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStyleStrategy(QFont::PreferQuality);
    return font;
}

QFont MakeControlFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    return font;
}

} // namespace corvane
