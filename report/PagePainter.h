#pragma once

#include "pdf/PdfCanvas.h"
#include "report/TextBlock.h"

#include <QColor>
#include <QString>

#include <utility>
#include <vector>

namespace corvane {

// Where a page stands in its document, for its footer.
struct PageNumber {
    int page = 1;
    int count = 1;
};

// What every page of the program's PDFs is drawn with: A4 measures, the colours, the text and
// table helpers, the signature boxes and the footer. A page draws from the top down at the
// current height.
class PagePainter {
public:
    static constexpr int kResolution = 600; // dots per inch of the page's coordinates
    static constexpr qreal kPageWidthMm = 210;
    static constexpr qreal kPageHeightMm = 297;
    static constexpr qreal kSideMarginMm = 15;
    static constexpr qreal kTopMarginMm = 11;
    static constexpr qreal kBottomMarginMm = 9;
    static constexpr qreal kSignatureHeightMm = 32;
    static constexpr qreal kFooterHeightMm = 6; // the footer and the space above it

    static const QColor kInk;
    static const QColor kMuted;
    static const QColor kAccent;
    static const QColor kLine;
    static const QColor kShade;
    static const QColor kWarningInk;
    static const QColor kWarningFill;

    struct Cell {
        QString text;
        QFont font;
        int maxLines = 1;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

protected:
    explicit PagePainter(PdfCanvas& canvas);

    static qreal Mm(qreal millimetres) { return millimetres * kResolution / 25.4; }
    // What the pages' texts are laid out for.
    static QPaintDevice* LayoutPage();
    qreal Width() const { return right_ - left_; }
    // The page's full measure, at the scale the painter draws.
    void SpanThePage(qreal scale);

    TextBlock Block(const QString& text, const QFont& font, qreal width, int maxLines,
                    Qt::Alignment alignment = Qt::AlignLeft) const;
    // Draws a text at the current height across the page and moves below it.
    void Paragraph(const QString& text, const QFont& font, const QColor& colour, int maxLines,
                   qreal after);
    void Rule(const QColor& colour, qreal widthMm);
    void Heading(const QString& title);
    // One row of cells of the given widths, each padded, with its top at the current height;
    // moves below it. The row is shaded when asked, and ruled underneath.
    void Row(const std::vector<std::pair<qreal, Cell>>& cells, bool shaded, bool ruled = true);
    // A label and its value side by side, from x: the label in labelWidth, the value in the rest
    // of width. Returns the height taken.
    qreal LabelValue(qreal x, qreal width, qreal labelWidth, const QString& label,
                     const QString& value, int valueLines);
    // A text in bold red in a red box across the page, at the current height; moves below it.
    void WarningBox(const QString& text);
    // The organiser's and the association's boxes, from `top` down.
    void Signatures(qreal top);
    // The line at the foot of the page: what made it, with `title` when given, and the page.
    void Footer(const QString& title, PageNumber number);

    PdfCanvas& canvas_;
    qreal left_ = 0;
    qreal right_ = 0;
    qreal y_ = 0;
};

} // namespace corvane
