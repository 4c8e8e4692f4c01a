#include "tools/artwork/Banners.h"

#include "assets/PictureTable.h"
#include "tools/artwork/ArtworkStyle.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>

namespace corvane::artwork {

namespace {

struct BannerArt {
    DpsType type;
    const char* title;
    const char* band;
};

// From the lowest risk to the highest.
// clang-format off
const std::array<BannerArt, 5> kBanners = {{
    {DpsType::Diligence, "Diligence de l'autorité de police compétente", "RIS ≤ 0,25"},
    {DpsType::Paps, "Point d'alerte et de premier secours", "0,25 < RIS ≤ 1,125"},
    {DpsType::DpsPe, "DPS de petite envergure (DPS-PE)", "1,125 < RIS ≤ 12"},
    {DpsType::DpsMe, "DPS de moyenne envergure (DPS-ME)", "12 < RIS ≤ 36"},
    {DpsType::DpsGe, "DPS de grande envergure (DPS-GE)", "RIS > 36"},
}};
// clang-format on

const BannerArt& ArtOf(DpsType type) {
    return *std::ranges::find(kBanners, type, &BannerArt::type);
}

void DrawBackground(QPainter& painter, const QRect& area, const QColor& colour) {
    QLinearGradient wash(area.topLeft(), area.topRight());
    wash.setColorAt(0, colour.lighter(175));
    wash.setColorAt(1, Qt::white);
    painter.fillRect(area, wash);
    painter.setPen(QPen(colour.darker(120), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(1, 1, -1, -1));
}

// Five rising bars, as many filled as the banner's level (1 for no deployment, 5 for a large
// one): the risk at a glance.
void DrawLevelGauge(QPainter& painter, const QRect& area, const QColor& colour, int level) {
    constexpr int kBars = 5;
    const int barWidth = area.width() / (2 * kBars - 1);
    for (int bar = 0; bar < kBars; ++bar) {
        const int height = area.height() * (bar + 1) / kBars;
        const QRect shape(area.left() + 2 * bar * barWidth, area.bottom() - height + 1, barWidth,
                          height);
        const bool filled = bar < level;
        painter.setPen(QPen(colour.darker(140), 1));
        painter.setBrush(filled ? colour : QColor(Qt::white));
        painter.drawRoundedRect(shape, 2, 2);
    }
}

void DrawTexts(QPainter& painter, const QRect& area, const BannerArt& banner) {
    const QRect titleArea(area.left(), area.top(), area.width(), area.height() * 11 / 20);
    const QRect bandArea(area.left(), titleArea.bottom() + 1, area.width(),
                         area.height() - titleArea.height());
    painter.setFont(ArtworkFont(27, true));
    painter.setPen(DpsColour(banner.type).darker(190));
    painter.drawText(titleArea, Qt::AlignLeft | Qt::AlignBottom, QString::fromUtf8(banner.title));
    painter.setFont(ArtworkFont(21, true));
    painter.setPen(QColor(0x30, 0x30, 0x30));
    painter.drawText(bandArea, Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(banner.band));
}

} // namespace

QImage DrawBanner(int number, QSize size) {
    const auto found = std::ranges::find(kDpsBanners, number, &DpsBanner::picture);
    if (found == kDpsBanners.end()) {
        return {};
    }
    const BannerArt& banner = ArtOf(found->type);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QRect area = image.rect();
    const QColor colour = DpsColour(banner.type);
    DrawBackground(painter, area, colour);
    const int margin = area.height() / 6;
    const int gaugeHeight = area.height() - 2 * margin;
    const QRect gauge(margin + 6, margin, gaugeHeight * 4 / 3, gaugeHeight);
    DrawLevelGauge(painter, gauge, colour, static_cast<int>(found - kDpsBanners.begin()) + 1);
    DrawTexts(painter, area.adjusted(gauge.right() + 24, margin / 2, -margin, -margin / 2), banner);
    return image;
}

} // namespace corvane::artwork
