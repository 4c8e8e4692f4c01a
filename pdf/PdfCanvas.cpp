#include "pdf/PdfCanvas.h"

#include "pdf/PdfSyntax.h"

#include <QPainterPath>
#include <QRawFont>

#include <cmath>

namespace corvane {

namespace {

// How much thicker than its outline a thickened glyph is drawn, for its size: about what
// FreeType adds to make a regular face bold.
constexpr qreal kThickening = 1.0 / 24;

void AppendGlyph(QByteArray& out, quint32 glyph) {
    static const char kDigits[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4) {
        out += kDigits[(glyph >> shift) & 0xf];
    }
}

} // namespace

void PdfCanvas::Number(qreal value) {
    AppendPdfNumber(content_, value);
    content_ += ' ';
}

void PdfCanvas::Numbers(std::initializer_list<qreal> values) {
    for (const qreal value : values) {
        Number(value);
    }
}

void PdfCanvas::Colour(const QColor& colour, const char* operation) {
    Numbers({colour.redF(), colour.greenF(), colour.blueF()});
    content_ += operation;
    content_ += '\n';
}

void PdfCanvas::Save() {
    content_ += "q\n";
}

void PdfCanvas::Restore() {
    content_ += "Q\n";
}

void PdfCanvas::Scale(qreal factor) {
    Numbers({factor, 0, 0, factor, 0, 0});
    content_ += "cm\n";
}

void PdfCanvas::FillRect(const QRectF& rect, const QColor& colour) {
    Colour(colour, "rg");
    Numbers({rect.x(), rect.y(), rect.width(), rect.height()});
    content_ += "re f\n";
}

void PdfCanvas::StrokeRect(const QRectF& rect, const QColor& colour, qreal width) {
    Colour(colour, "RG");
    Number(width);
    content_ += "w\n";
    Numbers({rect.x(), rect.y(), rect.width(), rect.height()});
    content_ += "re S\n";
}

void PdfCanvas::Line(QPointF from, QPointF to, const QColor& colour, qreal width) {
    Colour(colour, "RG");
    Number(width);
    content_ += "w\n";
    Numbers({from.x(), from.y()});
    content_ += "m ";
    Numbers({to.x(), to.y()});
    content_ += "l S\n";
}

void PdfCanvas::Jpeg(const QRectF& target, const PdfJpeg& jpeg) {
    const QByteArray& name = resources_.Image(jpeg);
    content_ += "q ";
    // The picture's unit square, upright on a page whose y goes down.
    Numbers({target.width(), 0, 0, -target.height(), target.x(), target.bottom()});
    content_ += "cm /" + name + " Do Q\n";
}

void PdfCanvas::Glyphs(const QGlyphRun& run, QPointF offset, const QColor& colour, bool thickened) {
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    if (glyphs.isEmpty() || positions.size() != glyphs.size()) {
        return;
    }
    const QRawFont font = run.rawFont();
    if (!font.isValid()) {
        return;
    }
    PdfFontUse* use = resources_.Font(font);
    if (use == nullptr) {
        Outlines(run, offset, colour);
        return;
    }
    const TrueTypeFont& face = *use->face;
    const qreal size = font.pixelSize();
    content_ += "BT /" + use->resourceName + ' ';
    Number(size);
    content_ += "Tf\n";
    Colour(colour, "rg");
    if (thickened) {
        Colour(colour, "RG");
        Number(size * kThickening);
        content_ += "w 2 Tr\n";
    }
    // Each glyph where Qt placed it: the face's own advance moves the pen, and the difference
    // from the next glyph's place is given in thousandths of the size.
    qreal penX = 0;
    qreal lineY = 0;
    bool open = false;
    for (qsizetype index = 0; index < glyphs.size(); ++index) {
        const quint32 glyph = face.HasGlyph(glyphs[index]) ? glyphs[index] : 0;
        const QPointF at = positions[index] + offset;
        if (!open || std::abs(at.y() - lineY) > 0.001) {
            if (open) {
                content_ += "] TJ\n";
            }
            Numbers({1, 0, 0, -1, at.x(), at.y()});
            content_ += "Tm [";
            lineY = at.y();
            penX = at.x();
            open = true;
        }
        const qreal shift = (penX - at.x()) * 1000 / size;
        if (std::abs(shift) > 0.05) {
            Number(shift);
        }
        content_ += '<';
        AppendGlyph(content_, glyph);
        content_ += "> ";
        use->glyphs.insert(glyph);
        penX = at.x() + qreal(face.Advance(glyph)) * size / face.UnitsPerEm();
    }
    content_ += "] TJ";
    if (thickened) {
        content_ += " 0 Tr";
    }
    content_ += " ET\n";
}

void PdfCanvas::Outlines(const QGlyphRun& run, QPointF offset, const QColor& colour) {
    const QRawFont font = run.rawFont();
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    Colour(colour, "rg");
    for (qsizetype index = 0; index < glyphs.size(); ++index) {
        const QPainterPath path =
            font.pathForGlyph(glyphs[index]).translated(positions[index] + offset);
        for (int element = 0; element < path.elementCount(); ++element) {
            const QPainterPath::Element& point = path.elementAt(element);
            if (point.isCurveTo() && element + 2 < path.elementCount()) {
                const QPainterPath::Element& second = path.elementAt(element + 1);
                const QPainterPath::Element& third = path.elementAt(element + 2);
                Numbers({point.x, point.y, second.x, second.y, third.x, third.y});
                content_ += "c\n";
                element += 2;
                continue;
            }
            Numbers({point.x, point.y});
            content_ += point.isMoveTo() ? "m\n" : "l\n";
        }
        if (!path.isEmpty()) {
            content_ += "f\n";
        }
    }
}

} // namespace corvane
