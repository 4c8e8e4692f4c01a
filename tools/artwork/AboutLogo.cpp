#include "tools/artwork/AboutLogo.h"

#include "tools/artwork/ArtworkStyle.h"

#include <QPainter>

namespace corvane::artwork {

namespace {

const QColor kDeepBlue(0x1F, 0x4E, 0x9A);
const QColor kAccent(0xF2, 0xA3, 0x1B);

void DrawSky(QPainter& painter, const QRect& area) {
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, kDeepBlue.lighter(135));
    sky.setColorAt(1, kDeepBlue.darker(140));
    painter.fillRect(area, sky);
}

// The emblem of the program icon, large: a white rounded square holding a blue plus, under an
// arc of the risk colours from green to red.
void DrawEmblem(QPainter& painter, const QPoint& centre, int side) {
    const QRect square(centre.x() - side / 2, centre.y() - side / 2, side, side);
    painter.setPen(QPen(kDeepBlue.darker(150), 2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(square, side / 5.0, side / 5.0);
    const int arm = side / 4;
    const int length = side * 5 / 8;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kDeepBlue);
    painter.drawRect(centre.x() - arm / 2, centre.y() - length / 2, arm, length);
    painter.drawRect(centre.x() - length / 2, centre.y() - arm / 2, length, arm);

    const QRect arcBox = square.adjusted(-14, -14, 14, 14);
    const QColor steps[] = {LevelColour(1), LevelColour(2), LevelColour(3), LevelColour(4)};
    constexpr int kStepDegrees = 30;
    for (int i = 0; i < 4; ++i) {
        painter.setPen(QPen(steps[i], 7, Qt::SolidLine, Qt::FlatCap));
        painter.drawArc(arcBox, (165 - i * (kStepDegrees + 3)) * 16, -kStepDegrees * 16);
    }
}

void DrawWordmark(QPainter& painter, const QRect& area) {
    painter.setPen(Qt::white);
    painter.setFont(ArtworkFont(34, true));
    const QRect nameArea(area.left(), area.top(), area.width(), 40);
    painter.drawText(nameArea, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Corvane"));
    painter.setPen(kAccent);
    painter.setFont(ArtworkFont(12, true));
    painter.drawText(QRect(area.left(), nameArea.bottom() + 1, area.width(), 18), Qt::AlignCenter,
                     QString::fromUtf8("Grille d'évaluation des risques"));
}

} // namespace

QImage DrawAboutLogo(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    DrawSky(painter, image.rect());
    DrawEmblem(painter, {size.width() / 2, 72}, 70);
    DrawWordmark(painter, QRect(0, 128, size.width(), 64));
    return image;
}

} // namespace corvane::artwork
