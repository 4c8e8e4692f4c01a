#include "report/ReportPdf.h"

#include "assets/PictureCatalogue.h"
#include "assets/PictureTable.h"
#include "platform/codec/JpegCodec.h"
#include "report/EvaluationPage.h"
#include "report/PdfDocument.h"
#include "report/ReportTexts.h"

#include <QFile>

#include <map>

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

// Read once for all the pages a run draws.
std::optional<PdfJpeg> ReportBanner(DpsType type) {
    static const std::map<DpsType, std::optional<PdfJpeg>> banners = [] {
        std::map<DpsType, std::optional<PdfJpeg>> decoded;
        for (const DpsType each : {DpsType::NoType, DpsType::Diligence, DpsType::Paps,
                                   DpsType::DpsPe, DpsType::DpsMe, DpsType::DpsGe}) {
            decoded[each] = ReadBanner(each);
        }
        return decoded;
    }();
    const auto found = banners.find(type);
    return found == banners.end() ? std::nullopt : found->second;
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
