#include "report/PdfDocument.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <vector>

namespace corvane {

QByteArray RenderPdfDocument(const QString& title, int count, const PagePaint& paint) {
    constexpr qreal kScaleStep = 0.94;
    constexpr int kMaxAttempts = 8;
    std::vector<qreal> scales(std::size_t(std::max(count, 0)), 1);
    QByteArray pdf;
    for (int attempt = 1;; ++attempt) {
        pdf.clear();
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        writer.setResolution(PagePainter::kResolution);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Corvane " CORVANE_VERSION));
        QPainter painter(&writer);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        bool allFit = true;
        std::vector<bool> fits(scales.size());
        for (std::size_t index = 0; index < scales.size(); ++index) {
            if (index > 0) {
                writer.newPage();
            }
            fits[index] = paint(writer, painter, int(index), scales[index]);
            allFit = allFit && fits[index];
        }
        painter.end();
        if (allFit || attempt == kMaxAttempts) {
            break;
        }
        for (std::size_t index = 0; index < scales.size(); ++index) {
            if (!fits[index]) {
                scales[index] *= kScaleStep;
            }
        }
    }
    return pdf;
}

} // namespace corvane
