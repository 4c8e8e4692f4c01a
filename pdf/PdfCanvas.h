#pragma once

#include "pdf/PdfJpeg.h"
#include "pdf/PdfResources.h"

#include <QByteArray>
#include <QColor>
#include <QGlyphRun>
#include <QPointF>
#include <QRectF>

namespace corvane {

// One page of a PDF being drawn, in the page's own units from its top left corner, downwards.
// What is drawn becomes the page's content; faces and pictures go to the document's resources.
class PdfCanvas {
public:
    explicit PdfCanvas(PdfResources& resources) : resources_(resources) {}

    // A Scale holds for what is drawn after it, until the Restore matching the Save before it.
    void Save();
    void Restore();
    void Scale(qreal factor);

    void FillRect(const QRectF& rect, const QColor& colour);
    void StrokeRect(const QRectF& rect, const QColor& colour, qreal width);
    void Line(QPointF from, QPointF to, const QColor& colour, qreal width);
    void Jpeg(const QRectF& target, const PdfJpeg& jpeg);
    // Glyphs laid out by Qt, moved by `offset`; thickened, they stand for a bold the face lacks.
    void Glyphs(const QGlyphRun& run, QPointF offset, const QColor& colour, bool thickened);

    const QByteArray& Content() const { return content_; }

private:
    void Number(qreal value);
    void Numbers(std::initializer_list<qreal> values);
    void Colour(const QColor& colour, const char* operation);
    void Outlines(const QGlyphRun& run, QPointF offset, const QColor& colour);

    PdfResources& resources_;
    QByteArray content_;
};

} // namespace corvane
