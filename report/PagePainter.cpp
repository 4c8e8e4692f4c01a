#include "report/PagePainter.h"

#include "pdf/LayoutDevice.h"

#include <QFontMetricsF>

#include <algorithm>

namespace corvane {

const QColor PagePainter::kInk(0x1e, 0x1e, 0x1e);
const QColor PagePainter::kMuted(0x55, 0x55, 0x55);
const QColor PagePainter::kAccent(0x1d, 0x3b, 0x6a);
const QColor PagePainter::kLine(0xa8, 0xae, 0xb8);
const QColor PagePainter::kShade(0xec, 0xf0, 0xf6);
const QColor PagePainter::kWarningInk(0x9a, 0x1b, 0x1b);
const QColor PagePainter::kWarningFill(0xfc, 0xec, 0xea);

PagePainter::PagePainter(PdfCanvas& canvas) : canvas_(canvas) {
    SpanThePage(1);
    y_ = Mm(kTopMarginMm);
}

QPaintDevice* PagePainter::LayoutPage() {
    static LayoutDevice page(QSize(qRound(Mm(kPageWidthMm)), qRound(Mm(kPageHeightMm))),
                             kResolution);
    return &page;
}

void PagePainter::SpanThePage(qreal scale) {
    left_ = Mm(kSideMarginMm) / scale;
    right_ = Mm(kPageWidthMm - kSideMarginMm) / scale;
}

TextBlock PagePainter::Block(const QString& text, const QFont& font, qreal width, int maxLines,
                             Qt::Alignment alignment) const {
    return TextBlock(text, font, width, maxLines, LayoutPage(), alignment);
}

void PagePainter::Paragraph(const QString& text, const QFont& font, const QColor& colour,
                            int maxLines, qreal after) {
    const TextBlock block = Block(text, font, Width(), maxLines);
    block.Draw(canvas_, {left_, y_}, colour);
    y_ += block.Height() + after;
}

void PagePainter::Rule(const QColor& colour, qreal widthMm) {
    canvas_.Line(QPointF(left_, y_), QPointF(right_, y_), colour, Mm(widthMm));
}

void PagePainter::Heading(const QString& title) {
    y_ += Mm(3);
    Paragraph(title, Font(11, QFont::Bold), kAccent, 1, Mm(0.8));
    Rule(kAccent, 0.3);
    y_ += Mm(1.8);
}

void PagePainter::Row(const std::vector<std::pair<qreal, Cell>>& cells, bool shaded, bool ruled) {
    const qreal padding = Mm(1.1);
    std::vector<TextBlock> blocks;
    qreal height = 0;
    for (const auto& [width, cell] : cells) {
        blocks.push_back(
            Block(cell.text, cell.font, width - 2 * padding, cell.maxLines, cell.alignment));
        height = std::max(height, blocks.back().Height());
    }
    height += 2 * padding;
    if (shaded) {
        canvas_.FillRect(QRectF(left_, y_, Width(), height), kShade);
    }
    qreal x = left_;
    for (std::size_t index = 0; index < cells.size(); ++index) {
        blocks[index].Draw(canvas_, {x + padding, y_ + padding}, kInk);
        x += cells[index].first;
    }
    y_ += height;
    if (ruled) {
        Rule(kLine, 0.2);
    }
}

qreal PagePainter::LabelValue(qreal x, qreal width, qreal labelWidth, const QString& label,
                              const QString& value, int valueLines) {
    const TextBlock labelBlock = Block(label, Font(9.5), labelWidth - Mm(2), 2);
    const TextBlock valueBlock = Block(value.isEmpty() ? QStringLiteral("—") : value,
                                       Font(9.5, QFont::Bold), width - labelWidth, valueLines);
    labelBlock.Draw(canvas_, {x, y_}, kMuted);
    valueBlock.Draw(canvas_, {x + labelWidth, y_}, kInk);
    return std::max(labelBlock.Height(), valueBlock.Height());
}

void PagePainter::WarningBox(const QString& text) {
    const qreal padding = Mm(2);
    const TextBlock block = Block(text, Font(9.5, QFont::Bold), Width() - 2 * padding, 4);
    const QRectF box(left_, y_, Width(), block.Height() + 2 * padding);
    canvas_.FillRect(box, kWarningFill);
    canvas_.StrokeRect(box, kWarningInk, Mm(0.5));
    block.Draw(canvas_, {left_ + padding, y_ + padding}, kWarningInk);
    y_ += box.height();
}

void PagePainter::Signatures(qreal top) {
    const qreal gap = Mm(8);
    const qreal width = (Width() - gap) / 2;
    const qreal padding = Mm(2.5);
    const QString titles[] = {QStringLiteral("L'organisateur"),
                              QStringLiteral("L'association de secourisme")};
    const QString fields[] = {QStringLiteral("Nom et qualité :"), QStringLiteral("Date :"),
                              QStringLiteral("Signature :")};
    qreal x = left_;
    for (const QString& title : titles) {
        const QRectF box(x, top, width, Mm(kSignatureHeightMm));
        canvas_.StrokeRect(box, kLine, Mm(0.3));
        const TextBlock heading = Block(title, Font(10, QFont::Bold), width - 2 * padding, 1);
        heading.Draw(canvas_, {x + padding, top + padding}, kInk);
        qreal y = top + padding + heading.Height() + Mm(2);
        for (const QString& field : fields) {
            const TextBlock block = Block(field, Font(8.5), width - 2 * padding, 1);
            block.Draw(canvas_, {x + padding, y}, kMuted);
            y += Mm(6.5);
        }
        x += width + gap;
    }
}

void PagePainter::Footer(const QString& title, PageNumber number) {
    const qreal bottom = Mm(kPageHeightMm - kBottomMarginMm);
    const QFont font = Font(7.5);
    const qreal height = QFontMetricsF(font, LayoutPage()).height();
    const qreal top = bottom - height;
    canvas_.Line(QPointF(left_, top - Mm(1)), QPointF(right_, top - Mm(1)), kLine, Mm(0.2));
    QString made = QStringLiteral("Établi avec Corvane " CORVANE_VERSION " (corvane-rapport)");
    if (!title.isEmpty()) {
        made = title + QStringLiteral(" — ") + made;
    }
    const qreal pageWidth = Width() / 4;
    Block(made, font, Width() - pageWidth, 1).Draw(canvas_, {left_, top}, kMuted);
    Block(QStringLiteral("Page %1 sur %2").arg(number.page).arg(number.count), font, pageWidth, 1,
          Qt::AlignRight)
        .Draw(canvas_, {right_ - pageWidth, top}, kMuted);
}

} // namespace corvane
