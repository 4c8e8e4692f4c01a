#pragma once

#include "report/PagePainter.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace corvane {

// Draws page `index` of a document at a scale; false when its upper part did not fit.
using PagePaint = std::function<bool(PdfCanvas& canvas, int index, qreal scale)>;

// An A4 PDF of `count` pages in memory. Every text of a page is bounded, and the longest of them
// all fit at once; should they ever not, the page is drawn again a little smaller rather than
// over its signatures. Needs a QGuiApplication for its fonts; the offscreen platform is enough.
QByteArray RenderPdfDocument(const QString& title, int count, const PagePaint& paint);

} // namespace corvane
