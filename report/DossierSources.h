#pragma once

#include "report/OpenedEvaluation.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace corvane {

// A file asked for in a dossier and left out of it, and why, in French.
struct LeftOut {
    QString path;
    QString why;
};

struct DossierSources {
    std::vector<OpenedEvaluation> evaluations; // in the order asked
    std::vector<LeftOut> leftOut;
};

// Opens the evaluation files of a dossier: one that cannot be read, or that was saved before its
// results were computed, is left out with its reason.
DossierSources OpenDossierSources(const QStringList& paths);

} // namespace corvane
