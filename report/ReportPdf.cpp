#include "report/ReportPdf.h"

#include "assets/PictureCatalogue.h"
#include "assets/PictureTable.h"
#include "platform/codec/JpegCodec.h"
#include "report/EvaluationPage.h"
#include "report/PdfDocument.h"
#include "report/ReportTexts.h"

#include <QFile>

#include <map>
#include <mutex>

namespace corvane {

namespace {

std::optional<PdfJpeg> ReadBanner(DpsType type) {
    const std::optional<int> number = BannerPicture(type);
    const PictureEntry* entry = number ? FindPicture(*number) : nullptr;
    if (entry == nullptr) {
        return std::nullopt;
    }
    QFile file(PictureCatalogue::BuiltInFolder() + QString::fromStdString(PictureFileName(*entry)));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    const std::optional<QImage> picture = DecodeJpeg(bytes);
    if (!picture) {
        return std::nullopt;
    }
    if (std::optional<PdfJpeg> jpeg = ReadPdfJpeg(bytes)) {
        return jpeg;
    }
    // A kind of JPEG a PDF does not hold as it is goes in as the colours it decodes to.
    const std::optional<QByteArray> encoded = EncodeJpeg(*picture, 94);
    return encoded ? ReadPdfJpeg(*encoded) : std::nullopt;
}

} // namespace

// Read once for all the pages a run draws, when a page first shows it: a run of one report
// reads one banner.
std::optional<PdfJpeg> ReportBanner(DpsType type) {
    static std::mutex mutex;
    static std::map<DpsType, std::optional<PdfJpeg>> banners;
    const std::lock_guard lock(mutex);
    const auto [found, added] = banners.try_emplace(type);
    if (added) {
        found->second = ReadBanner(type);
    }
    return found->second;
}

QByteArray RenderReportPdf(const OpenedEvaluation& evaluation) {
    const std::optional<EvaluationPlacement> alone;
    return RenderPdfDocument(
        QStringLiteral("Évaluation des risques : ") + Shown(evaluation.record.name), 1,
        [&](PdfCanvas& canvas, int, qreal scale) {
            return EvaluationPage(canvas, evaluation, alone, {}, scale).Paint();
        });
}

} // namespace corvane
