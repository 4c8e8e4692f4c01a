#include "report/DossierSources.h"

#include "report/ReportTexts.h"

namespace corvane {

DossierSources OpenDossierSources(const QStringList& paths) {
    DossierSources sources;
    for (const QString& path : paths) {
        OpeningResult opened = OpenEvaluationFile(path.toStdString());
        if (!opened.evaluation) {
            sources.leftOut.push_back({path, QString::fromStdString(opened.failure)});
        } else if (const QString why = WhyNothingToReport(opened.evaluation->verdict.results);
                   !why.isEmpty()) {
            sources.leftOut.push_back({path, why});
        } else {
            sources.evaluations.push_back(std::move(*opened.evaluation));
        }
    }
    return sources;
}

} // namespace corvane
