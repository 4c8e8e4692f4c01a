#include "report/TextBlock.h"

#include <QFontMetricsF>
#include <QPainter>

namespace corvane {

QFont Font(qreal points, QFont::Weight weight) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSizeF(points);
    font.setWeight(weight);
    // Bold is drawn from the regular face, thickened: each face a PDF holds is a font file
    // embedded in it, and the largest part of the work of making one.
    font.setStyleName(QStringLiteral("Regular"));
    return font;
}

TextBlock::TextBlock(const QString& text, const QFont& font, qreal width, int maxLines,
                     QPaintDevice* device, Qt::Alignment alignment)
    : layout_(std::make_unique<QTextLayout>(text, font, device)), font_(font), width_(width),
      alignment_(alignment), device_(device) {
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout_->setTextOption(option);
    layout_->beginLayout();
    for (int count = 0; count < maxLines; ++count) {
        QTextLine line = layout_->createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(width);
        line.setPosition({0, height_});
        height_ += line.height();
        ++lines_;
    }
    layout_->endLayout();
    if (lines_ > 0) {
        const QTextLine last = layout_->lineAt(lines_ - 1);
        if (last.textStart() + last.textLength() < text.size()) {
            const QString rest = text.mid(last.textStart()).simplified();
            elidedLast_ = QFontMetricsF(font, device).elidedText(rest, Qt::ElideRight, width);
            if (!elidedLast_.endsWith(kEllipsis)) {
                elidedLast_ += kEllipsis;
            }
        }
    }
}

void TextBlock::Draw(QPainter& painter, QPointF topLeft) const {
    for (int index = 0; index < lines_; ++index) {
        const QTextLine line = layout_->lineAt(index);
        if (index + 1 < lines_ || elidedLast_.isEmpty()) {
            line.draw(&painter, topLeft);
            continue;
        }
        const qreal advance = QFontMetricsF(font_, device_).horizontalAdvance(elidedLast_);
        qreal x = topLeft.x();
        if ((alignment_ & Qt::AlignHCenter) != 0) {
            x += (width_ - advance) / 2;
        } else if ((alignment_ & Qt::AlignRight) != 0) {
            x += width_ - advance;
        }
        painter.setFont(font_);
        painter.drawText(QPointF(x, topLeft.y() + line.y() + line.ascent()), elidedLast_);
    }
}

} // namespace corvane
