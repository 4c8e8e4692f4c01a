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

std::optional<QImage> DecodeBanner(DpsType type) {
    const std::optional<int> number = BannerPicture(type);
    const PictureEntry* entry = number ? FindPicture(*number) : nullptr;
    if (entry == nullptr) {
        return std::nullopt;
    }
    QFile file(PictureCatalogue::BuiltInFolder() + QString::fromStdString(PictureFileName(*entry)));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return DecodeJpeg(file.readAll());
}

} // namespace

// Decoded once for all the pages a run draws.
std::optional<QImage> ReportBanner(DpsType type) {
    static const std::map<DpsType, std::optional<QImage>> banners = [] {
        std::map<DpsType, std::optional<QImage>> decoded;
        for (const DpsType each : {DpsType::NoType, DpsType::Diligence, DpsType::Paps,
                                   DpsType::DpsPe, DpsType::DpsMe, DpsType::DpsGe}) {
            decoded[each] = DecodeBanner(each);
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
        [&](QPdfWriter& writer, QPainter& painter, int, qreal scale) {
            return EvaluationPage(writer, painter, evaluation, alone, {}, scale).Paint();
        });
}

} // namespace corvane
