#pragma once

#include <QFont>
#include <QPointF>
#include <QString>
#include <QTextLayout>

#include <memory>

class QPaintDevice;

namespace corvane {

class PdfCanvas;

inline const QString kEllipsis = QStringLiteral("\u2026");

// The Arial-compatible face the program's pages use, installed with it, at a size in points.
// Its bold is the regular face thickened, so that a PDF embeds one face.
QFont Font(qreal points, QFont::Weight weight = QFont::Normal);

// A text laid out in a width on at most a number of lines; when it does not fit, the last line
// shows what it can of the rest, ended by an ellipsis.
class TextBlock {
public:
    TextBlock(const QString& text, const QFont& font, qreal width, int maxLines,
              QPaintDevice* device, Qt::Alignment alignment = Qt::AlignLeft);

    qreal Height() const { return height_; }

    // In the given colour; a bold font is drawn as its regular face thickened.
    void Draw(PdfCanvas& canvas, QPointF topLeft, const QColor& colour) const;

private:
    std::unique_ptr<QTextLayout> layout_;
    // The last line, when the text goes on past it.
    std::unique_ptr<QTextLayout> elidedLast_;
    bool thickened_;
    int lines_ = 0;
    qreal height_ = 0;
};

} // namespace corvane
