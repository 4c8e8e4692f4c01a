#include "report/DossierPdf.h"

#include "report/DossierFirstPage.h"
#include "report/EvaluationPage.h"
#include "report/PdfDocument.h"
#include "report/ReportTexts.h"

namespace corvane {

std::vector<DossierEvaluation> PlaceInEvent(const EventDetails& details,
                                            std::vector<OpenedEvaluation> evaluations) {
    std::vector<DossierEvaluation> placed;
    placed.reserve(evaluations.size());
    for (OpenedEvaluation& evaluation : evaluations) {
        DossierEvaluation entry{std::move(evaluation), Audience::Public, std::nullopt};
        if (const EventEvaluation* known =
                FindEventEvaluation(details, entry.evaluation.record.name)) {
            entry.audience = known->audience;
            entry.day = ParseEventDay(known->day);
        }
        placed.push_back(std::move(entry));
    }
    return placed;
}

QByteArray RenderDossierPdf(const EventDetails& details,
                            const std::vector<DossierEvaluation>& evaluations) {
    const int count = int(evaluations.size()) + 1;
    const QString eventName = Shown(details.name);
    return RenderPdfDocument(
        QStringLiteral("Dossier de déclaration : ") + eventName, count,
        [&](PdfCanvas& canvas, int index, qreal scale) {
            const PageNumber number{index + 1, count};
            if (index == 0) {
                return DossierFirstPage(canvas, details, evaluations, number, scale).Paint();
            }
            const DossierEvaluation& entry = evaluations[std::size_t(index - 1)];
            const std::optional<EvaluationPlacement> placement =
                EvaluationPlacement{entry.audience, entry.day, eventName};
            return EvaluationPage(canvas, entry.evaluation, placement, number, scale).Paint();
        });
}

} // namespace corvane
