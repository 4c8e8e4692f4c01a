#include "tools/artwork/ExplainDrawing.h"

#include "tools/artwork/ArtworkStyle.h"

#include <QFontMetrics>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace corvane::artwork {

namespace {

constexpr int kMargin = 20;
constexpr int kBandHeight = 42;
constexpr int kBottomMargin = 10;
constexpr int kLevelStripHeight = 4;
constexpr int kPadding = 8;
constexpr int kBodySize = 14;
constexpr int kFormulaSize = 16;

const QColor kInk(0x22, 0x26, 0x2B);
const QColor kNavy(0x2B, 0x4C, 0x6F);
const QColor kSubtitleInk(0xC9, 0xD6, 0xE3);
const QColor kRule(0xA3, 0xAF, 0xBB);
const QColor kHeaderFill(0xE4, 0xEA, 0xF1);
const QColor kFormulaFill(0xF2, 0xF6, 0xFA);

constexpr int kWrap = Qt::TextWordWrap;

// French typesetting: a number's groups of digits and the space before a colon or a semicolon
// must never be split across two lines.
QString Typeset(const QString& text) {
    static const QRegularExpression breakable(QStringLiteral("(?<=\\d) (?=\\d{3})| (?=[:;])"));
    return QString(text).replace(breakable, QStringLiteral("\u00A0"));
}

QColor Tint(const QColor& colour) {
    const auto mix = [](int channel) { return (channel * 15 + 255 * 85) / 100; };
    return QColor(mix(colour.red()), mix(colour.green()), mix(colour.blue()));
}

} // namespace

QImage ExplainPage::Draw(QSize size, const QString& title, const QString& subtitle,
                         const Blocks& blocks) {
    ExplainPage trial(size, title, subtitle, 0);
    blocks(trial);
    trial.painter_.end();
    const int spare = size.height() - kBottomMargin - trial.y_;
    const double share = trial.stretches_ > 0 ? static_cast<double>(spare) / trial.stretches_ : 0;
    // A picture a little too short squeezes its rows, but never so far that text meets a border.
    if (spare < 0 && (trial.stretches_ == 0 || share < 3 - kPadding)) {
        std::fprintf(stderr, "\"%s\" lacks %d pixels\n", qPrintable(title), -spare);
    }
    ExplainPage page(size, title, subtitle, share);
    blocks(page);
    page.painter_.end();
    return page.image_;
}

ExplainPage::ExplainPage(QSize size, const QString& title, const QString& subtitle, double stretch)
    : image_(size, QImage::Format_RGB32), stretch_(stretch) {
    image_.fill(Qt::white);
    painter_.begin(&image_);
    painter_.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter_.fillRect(0, 0, size.width(), kBandHeight, kNavy);
    for (int level = 1; level <= 4; ++level) {
        const int left = size.width() * (level - 1) / 4;
        painter_.fillRect(left, kBandHeight, size.width() * level / 4 - left, kLevelStripHeight,
                          LevelColour(level));
    }
    const QRect band(kMargin, 0, Width(), kBandHeight);
    DrawText(band, Qt::AlignVCenter, title, ArtworkFont(21, true), Qt::white);
    DrawText(band, Qt::AlignVCenter | Qt::AlignRight, subtitle, ArtworkFont(15), kSubtitleInk);
    y_ = kBandHeight + kLevelStripHeight + 14;
}

int ExplainPage::Width() const {
    return image_.width() - 2 * kMargin;
}

// Every block but the first opens with a gap; those that stretch take their share of the spare
// height there. A heading keeps close to the block it introduces.
void ExplainPage::Open(int gap, bool stretches) {
    if (afterHeading_) {
        y_ += 6;
    } else if (!first_) {
        y_ += gap + (stretches ? Stretch() : 0);
    }
    first_ = false;
    afterHeading_ = false;
}

// Rounds the running total rather than each share, so that the shares add up to the spare height.
int ExplainPage::Stretch() {
    ++stretches_;
    return static_cast<int>(std::lround(stretch_ * stretches_) -
                            std::lround(stretch_ * (stretches_ - 1)));
}

int ExplainPage::TextHeight(const QString& text, const QFont& font, int width) const {
    return QFontMetrics(font)
        .boundingRect(QRect(0, 0, width, 10000), kWrap, Typeset(text))
        .height();
}

void ExplainPage::DrawText(const QRect& rect, int flags, const QString& text, const QFont& font,
                           const QColor& colour) {
    painter_.setFont(font);
    painter_.setPen(colour);
    painter_.drawText(rect, flags | kWrap, Typeset(text));
}

// Half-pixel offsets keep the one-pixel lines sharp under antialiasing.
void ExplainPage::DrawBorder(const QRect& rect, const QColor& fill) {
    painter_.fillRect(rect, fill);
    painter_.setPen(QPen(kRule, 1));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(rect).translated(0.5, 0.5));
}

void ExplainPage::Heading(const QString& text) {
    Open(16, true);
    const QFont font = ArtworkFont(16, true);
    const int height = TextHeight(text, font, Width());
    DrawText(QRect(kMargin, y_, Width(), height), Qt::AlignLeft, text, font, kNavy);
    y_ += height;
    afterHeading_ = true;
}

void ExplainPage::Paragraph(const QString& text) {
    Open(10, true);
    const QFont font = ArtworkFont(kBodySize);
    const int height = TextHeight(text, font, Width());
    DrawText(QRect(kMargin, y_, Width(), height), Qt::AlignLeft, text, font, kInk);
    y_ += height;
}

void ExplainPage::Formulas(const QStringList& lines) {
    Open(10, false);
    const QFont font = ArtworkFont(kFormulaSize);
    const QFontMetrics metrics(font);
    int formulaWidth = 0;
    for (const QString& line : lines) {
        formulaWidth = std::max(formulaWidth, metrics.horizontalAdvance(line.section('\t', 0, 0)));
    }
    const int lineHeight = metrics.height() + 6;
    const int extra = Stretch();
    const QRect box(kMargin, y_, Width(), static_cast<int>(lines.size()) * lineHeight + 14 + extra);
    painter_.fillRect(box, kFormulaFill);
    painter_.fillRect(box.left(), box.top(), 4, box.height(), kNavy);
    int top = box.top() + 10 + extra / 2;
    for (const QString& line : lines) {
        DrawText(QRect(box.left() + 20, top, formulaWidth, lineHeight), 0, line.section('\t', 0, 0),
                 font, kInk);
        DrawText(
            QRect(box.left() + 48 + formulaWidth, top, box.width() - 48 - formulaWidth, lineHeight),
            0, line.section('\t', 1), font, kInk);
        top += lineHeight;
    }
    y_ = box.bottom() + 1;
}

void ExplainPage::Definition(const QString& symbol, const QString& meaning) {
    Open(6, false);
    const QFont symbolFont = ArtworkFont(kBodySize, true);
    const QFont font = ArtworkFont(kBodySize);
    const int indent = 20 + QFontMetrics(symbolFont).horizontalAdvance(symbol + ' ');
    const QString text = QStringLiteral("= ") + meaning;
    const int height = TextHeight(text, font, Width() - indent);
    DrawText(QRect(kMargin + 20, y_, indent, height), 0, symbol, symbolFont, kInk);
    DrawText(QRect(kMargin + indent, y_, Width() - indent, height), 0, text, font, kInk);
    y_ += height;
}

void ExplainPage::Labels(const std::vector<std::pair<QString, QColor>>& labels) {
    Open(10, true);
    constexpr int kGap = 10;
    constexpr int kHeight = 30;
    const int count = static_cast<int>(labels.size());
    const int width = (Width() - kGap * (count - 1)) / count;
    int left = kMargin;
    for (const auto& [text, colour] : labels) {
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(colour);
        painter_.drawRoundedRect(QRect(left, y_, width, kHeight), 4, 4);
        DrawText(QRect(left, y_, width, kHeight), Qt::AlignCenter, text,
                 ArtworkFont(kBodySize, true), Qt::white);
        left += width + kGap;
    }
    y_ += kHeight;
}

int ExplainPage::RowHeight(const std::vector<int>& widths, const QStringList& cells,
                           bool bold) const {
    int height = 0;
    for (std::size_t column = 0; column < widths.size(); ++column) {
        const QFont font = ArtworkFont(kBodySize, bold || column == 0);
        const QString& text = cells.at(static_cast<qsizetype>(column));
        height = std::max(height, TextHeight(text, font, widths[column] - 2 * kPadding));
    }
    return height + 2 * kPadding;
}

void ExplainPage::DrawRow(const std::vector<TableColumn>& columns, const std::vector<int>& widths,
                          const TableRow& row, bool header) {
    const int height = RowHeight(widths, row.cells, header) + (header ? 0 : Stretch());
    int left = kMargin;
    for (std::size_t column = 0; column < columns.size(); ++column) {
        const bool accented = row.accent.isValid();
        const bool solid = accented && column == 0;
        const QColor tint = accented ? Tint(row.accent) : QColor(Qt::white);
        const QRect cell(left, y_, widths[column], height);
        DrawBorder(cell, header ? kHeaderFill : solid ? row.accent : tint);
        const Qt::Alignment alignment = header ? Qt::AlignHCenter : columns[column].alignment;
        DrawText(cell.adjusted(kPadding, 0, -kPadding, 0),
                 static_cast<int>(alignment | Qt::AlignVCenter),
                 row.cells.at(static_cast<qsizetype>(column)),
                 ArtworkFont(kBodySize, header || column == 0),
                 header  ? kNavy
                 : solid ? QColor(Qt::white)
                         : kInk);
        left += widths[column];
    }
    y_ += height;
}

void ExplainPage::Table(const std::vector<TableColumn>& columns,
                        const std::vector<TableRow>& rows) {
    Open(14, true);
    const int fixed = std::accumulate(columns.begin(), columns.end(), 0,
                                      [](int sum, const TableColumn& c) { return sum + c.width; });
    const auto flexible = std::count_if(columns.begin(), columns.end(),
                                        [](const TableColumn& c) { return c.width == 0; });
    std::vector<int> widths;
    QStringList headings;
    for (const TableColumn& column : columns) {
        widths.push_back(column.width > 0 ? column.width
                                          : (Width() - fixed) / static_cast<int>(flexible));
        headings.append(column.heading);
    }
    DrawRow(columns, widths, TableRow{headings}, true);
    for (const TableRow& row : rows) {
        DrawRow(columns, widths, row, false);
    }
}

} // namespace corvane::artwork
