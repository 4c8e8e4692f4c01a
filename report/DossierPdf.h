#pragma once

#include "core/EventDetails.h"
#include "report/OpenedEvaluation.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace corvane {

// An evaluation of a dossier with its place in the event.
struct DossierEvaluation {
    OpenedEvaluation evaluation;
    Audience audience = Audience::Public;
    std::optional<CalendarDate> day;
};

// Each evaluation with the audience and the day the details give it: one the details do not name
// covers the public, on no given day.
std::vector<DossierEvaluation> PlaceInEvent(const EventDetails& details,
                                            std::vector<OpenedEvaluation> evaluations);

// The declaration dossier of an event: a first page that sums the event and its evaluations up,
// then one page per evaluation.
QByteArray RenderDossierPdf(const EventDetails& details,
                            const std::vector<DossierEvaluation>& evaluations);

} // namespace corvane
