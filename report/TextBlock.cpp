#include "report/TextBlock.h"

#include "pdf/PdfCanvas.h"

#include <QColor>
#include <QFontMetricsF>
#include <QGlyphRun>

namespace corvane {

QFont Font(qreal points, QFont::Weight weight) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSizeF(points);
    font.setWeight(weight);
    // Bold is drawn from the regular face, thickened: each face a PDF holds is a font file
    // embedded in it.
    font.setStyleName(QStringLiteral("Regular"));
    return font;
}

TextBlock::TextBlock(const QString& text, const QFont& font, qreal width, int maxLines,
                     QPaintDevice* device, Qt::Alignment alignment)
    : layout_(std::make_unique<QTextLayout>(text, font, device)),
      thickened_(font.weight() >= QFont::DemiBold) {
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
    if (lines_ == 0) {
        return;
    }
    const QTextLine last = layout_->lineAt(lines_ - 1);
    if (last.textStart() + last.textLength() >= text.size()) {
        return;
    }
    const QString rest = text.mid(last.textStart()).simplified();
    QString elided = QFontMetricsF(font, device).elidedText(rest, Qt::ElideRight, width);
    if (!elided.endsWith(kEllipsis)) {
        elided += kEllipsis;
    }
    elidedLast_ = std::make_unique<QTextLayout>(elided, font, device);
    option.setWrapMode(QTextOption::NoWrap);
    elidedLast_->setTextOption(option);
    elidedLast_->beginLayout();
    QTextLine line = elidedLast_->createLine();
    line.setLineWidth(width);
    line.setPosition({0, last.y()});
    elidedLast_->endLayout();
}

void TextBlock::Draw(PdfCanvas& canvas, QPointF topLeft, const QColor& colour) const {
    const int whole = elidedLast_ ? lines_ - 1 : lines_;
    for (int index = 0; index < whole; ++index) {
        for (const QGlyphRun& run : layout_->lineAt(index).glyphRuns()) {
            canvas.Glyphs(run, topLeft, colour, thickened_);
        }
    }
    if (elidedLast_) {
        for (const QGlyphRun& run : elidedLast_->glyphRuns()) {
            canvas.Glyphs(run, topLeft, colour, thickened_);
        }
    }
}

} // namespace corvane
