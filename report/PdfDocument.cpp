#include "report/PdfDocument.h"

#include "pdf/PdfFile.h"

#include <algorithm>
#include <vector>

namespace corvane {

QByteArray RenderPdfDocument(const QString& title, int count, const PagePaint& paint) {
    constexpr qreal kScaleStep = 0.94;
    constexpr int kMaxAttempts = 8;
    // A4 in points.
    const QSizeF a4(PagePainter::kPageWidthMm * 72 / 25.4, PagePainter::kPageHeightMm * 72 / 25.4);
    std::vector<qreal> scales(std::size_t(std::max(count, 0)), 1);
    for (int attempt = 1;; ++attempt) {
        PdfFile file(a4, PagePainter::kResolution);
        file.SetTitle(title);
        file.SetCreator(QStringLiteral("Corvane " CORVANE_VERSION));
        bool allFit = true;
        std::vector<bool> fits(scales.size());
        for (std::size_t index = 0; index < scales.size(); ++index) {
            fits[index] = paint(file.NewPage(), int(index), scales[index]);
            allFit = allFit && fits[index];
        }
        if (allFit || attempt == kMaxAttempts) {
            return file.Finish();
        }
        for (std::size_t index = 0; index < scales.size(); ++index) {
            if (!fits[index]) {
                scales[index] *= kScaleStep;
            }
        }
    }
}

} // namespace corvane
